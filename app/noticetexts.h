#pragma once
// The reading's problem messages come from the plain-C++ core in English; the window shows
// them in its own language by recognising each known form and translating it with its values.

#include <QString>
#include <string>

// message in the window's language; a form not known here is shown as it came.
QString problemtext(const std::string& message);
