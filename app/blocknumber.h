#pragma once
// Block numbers: the N word that opens a block, the name machinists give a block (N120), as
// against the line of the file it stands on.

#include <QString>
#include <cstdint>
#include <string_view>

class QIODevice;

// The N word at the start of one line (after blanks and a block-delete slash), as "N120";
// empty when the line opens with none.
QString blocknumberof(std::string_view line);

// Reads `file` from its start and returns the first line (from 1, lines ending at line feeds)
// whose block number is `number`, whatever its leading zeros; -1 when no line has it.
int64_t findblocknumber(QIODevice& file, uint64_t number);

// "N120" or "n120" as typed into the go-to box; false for anything else.
bool parseblocknumber(const QString& text, uint64_t& number);
