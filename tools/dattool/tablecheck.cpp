#include "tablecheck.h"

#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "listescape.h"
#include "namekey.h"
#include "tabletext.h"

namespace {

struct SeenEntry {
    std::size_t number = 0;
    const StringEntry* entry = nullptr;
};

// Names as the table compares them: up to their first zero byte, A-Z taken
// as a-z and nothing else folded.
std::string_view NameOf(const StringEntry& entry) { return std::string_view(entry.name); }

unsigned char Folded(char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

struct NameHashIgnoringCase {
    std::size_t operator()(std::string_view name) const {
        std::size_t hash = 2166136261u;
        for (const char c : name) {
            hash = (hash ^ Folded(c)) * 16777619u;
        }
        return hash;
    }
};

struct NameEqualIgnoringCase {
    bool operator()(std::string_view first, std::string_view second) const {
        if (first.size() != second.size()) {
            return false;
        }
        for (std::size_t i = 0; i < first.size(); ++i) {
            if (Folded(first[i]) != Folded(second[i])) {
                return false;
            }
        }
        return true;
    }
};

// The first entry of a key, and the first of that key whose name differs
// from the first one's: whatever name a later entry of the key has, the
// earliest entry of the key with another name is one of these two.
struct FirstOfKey {
    SeenEntry first;
    SeenEntry firstOfOtherName;
};

void AppendHex(std::uint32_t value, std::string& out) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    out += text;
}

}  // namespace

// One pass with a hash of names and a hash of keys, so that a file of
// millions of entries sharing one name takes seconds, not hours.
std::vector<TableProblem> FindTableProblems(const StringTable& table) {
    std::unordered_map<std::string_view, SeenEntry, NameHashIgnoringCase, NameEqualIgnoringCase> firstWithName;
    std::unordered_map<std::uint32_t, FirstOfKey> byKey;
    std::vector<TableProblem> problems;
    std::size_t number = 0;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        ++number;
        const SeenEntry seen{number, entry};
        const SeenEntry first = firstWithName.emplace(NameOf(*entry), seen).first->second;
        if (first.number != number) {
            problems.push_back({TableProblem::Kind::SameName, number, entry, first.number, first.entry});
        }
        if (entry->key != ComputeNameKey(entry->name)) {
            problems.push_back({TableProblem::Kind::WrongKey, number, entry, 0, nullptr});
        }
        FirstOfKey& ofKey = byKey.emplace(entry->key, FirstOfKey{seen, SeenEntry{}}).first->second;
        const bool nameOfFirst = NameEqualIgnoringCase()(NameOf(*ofKey.first.entry), NameOf(*entry));
        const SeenEntry other = nameOfFirst ? ofKey.firstOfOtherName : ofKey.first;
        if (other.entry != nullptr) {
            problems.push_back({TableProblem::Kind::SharedKey, number, entry, other.number, other.entry});
        }
        if (!nameOfFirst && ofKey.firstOfOtherName.entry == nullptr) {
            ofKey.firstOfOtherName = seen;
        }
    }
    return problems;
}

void TableProblemLines::appendEntry(std::size_t number, const StringEntry& entry, std::string& out) {
    const std::string_view name(entry.name, entry.nameLength);
    if (name != lastName_ || lastShown_.empty()) {
        lastName_.assign(name);
        lastShown_ = EscapeForLine(NameAsUtf8(entry));
    }
    out += "entry ";
    out += std::to_string(number);
    out += " \"";
    out += lastShown_;
    out += '"';
}

std::string EntryLabel(std::size_t number, const StringEntry& entry) {
    std::string label;
    TableProblemLines().append(EntryProblem{number, &entry, std::string()}, label);
    return label.substr(0, label.size() - 2);
}

void TableProblemLines::append(const EntryProblem& problem, std::string& out) {
    appendEntry(problem.number, *problem.entry, out);
    out += ": ";
    out += problem.reason;
}

void TableProblemLines::append(const TableProblem& problem, std::string& out) {
    appendEntry(problem.number, *problem.entry, out);
    switch (problem.kind) {
    case TableProblem::Kind::SameName:
        out += ": same name as ";
        appendEntry(problem.otherNumber, *problem.other, out);
        return;
    case TableProblem::Kind::WrongKey:
        out += ": key ";
        AppendHex(problem.entry->key, out);
        out += " is not the CRC of its name (";
        AppendHex(ComputeNameKey(problem.entry->name), out);
        out += ")";
        return;
    case TableProblem::Kind::SharedKey:
        out += ": key ";
        AppendHex(problem.entry->key, out);
        out += " is also the key of ";
        appendEntry(problem.otherNumber, *problem.other, out);
        out += ", another name";
        return;
    }
}
