#pragma once
// How a program line's bytes read in the pane: UTF-8 where they are, Latin-1 where not, tabs
// as spaces, control bytes as their pictures; a line cut short ends in an ellipsis.

#include <QByteArray>
#include <QString>

QString linedisplaytext(const QByteArray& bytes, bool cut);
