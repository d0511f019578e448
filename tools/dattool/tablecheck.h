// Judging a string table beyond what the reader tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "stringtable.h"
#include "tableexchange.h"

struct TableProblem {
    enum class Kind {
        SameName,   // the name repeats the other entry's, ASCII case ignored
        WrongKey,   // the key is not the CRC of the name
        SharedKey,  // the other entry, of another name, has the same key
    };
    Kind kind;
    std::size_t number;  // entries count from 1
    const StringEntry* entry;
    std::size_t otherNumber;  // 0 and null for a wrong key
    const StringEntry* other;
};

inline bool operator==(const TableProblem& a, const TableProblem& b) {
    return a.kind == b.kind && a.number == b.number && a.entry == b.entry && a.otherNumber == b.otherNumber &&
           a.other == b.other;
}

// The problems in table order, those of one entry in the order of the kinds:
// for a repeated name and a shared key, the other entry is the earliest one
// that makes it a problem.
std::vector<TableProblem> FindTableProblems(const StringTable& table);

// How messages name an entry: `entry 3 "NAME"`, the name in UTF-8 with
// \\, \t, \r and \n escaped.
std::string EntryLabel(std::size_t number, const StringEntry& entry);

// Turns problems into lines like `entry 3 "X": key 0x12345678 is not the CRC
// of its name (0x...)`. A name is converted once for as long as the same
// name comes again: a table of one name repeated millions of times is what
// check meets at its largest.
class TableProblemLines {
public:
    // Appends the line of `problem`, without a line end, to `out`.
    void append(const TableProblem& problem, std::string& out);
    // The same for what export or import would refuse: `entry 3 "X": reason`.
    void append(const EntryProblem& problem, std::string& out);

private:
    void appendEntry(std::size_t number, const StringEntry& entry, std::string& out);

    std::string lastName_;   // the bytes of the name converted last
    std::string lastShown_;  // and that name in UTF-8, escaped
};
