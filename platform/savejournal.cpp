#include "savejournal.h"

#include <cstdint>

#include "savesteps.h"
#include "stagingnames.h"

namespace {

const char kMagic[] = "PXAJRNL1";
const std::size_t kMagicLength = sizeof kMagic - 1;
const char kStartKind = 'H';
const char kNameKind = 'N';
const char kWithdrawKind = 'X';
// kind, two bytes of payload length; the checksum follows the payload.
const std::size_t kRecordHead = 3;
const std::size_t kChecksumSize = 4;

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutLittleEndian(std::string& into, std::uint32_t value, int bytes) {
    for (int at = 0; at < bytes; ++at) {
        into += static_cast<char>((value >> (8 * at)) & 0xFF);
    }
}

std::uint32_t GetLittleEndian(const std::string& from, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(from[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

void PutText(std::string& into, const std::string& text) {
    PutLittleEndian(into, static_cast<std::uint32_t>(text.size()), 2);
    into += text;
}

std::string Record(char kind, const std::string& payload) {
    std::string record(1, kind);
    PutLittleEndian(record, static_cast<std::uint32_t>(payload.size()), 2);
    record += payload;
    PutLittleEndian(record, Crc32(record), 4);
    return record;
}

// Reads the payload of one record, the reading position moving on.
class PayloadReader {
public:
    explicit PayloadReader(const std::string& payload) : payload_(payload) {}
    bool byte(unsigned char& value) {
        if (at_ >= payload_.size()) {
            return false;
        }
        value = static_cast<unsigned char>(payload_[at_++]);
        return true;
    }
    bool text(std::string& value) {
        if (payload_.size() - at_ < 2) {
            return false;
        }
        const std::size_t length = GetLittleEndian(payload_, at_, 2);
        if (payload_.size() - at_ - 2 < length) {
            return false;
        }
        value = payload_.substr(at_ + 2, length);
        at_ += 2 + length;
        return true;
    }
    bool atEnd() const { return at_ == payload_.size(); }

private:
    const std::string& payload_;
    std::size_t at_ = 0;
};

bool DecodeStart(const std::string& payload, JournalContent& content) {
    PayloadReader reader(payload);
    unsigned char count = 0;
    if (!reader.byte(count) || count == 0) {
        return false;
    }
    content.folders.resize(count);
    content.names.resize(count);
    for (std::size_t target = 0; target < count; ++target) {
        if (!reader.text(content.folders[target]) || !reader.text(content.names[target]) ||
            content.names[target].empty()) {
            return false;
        }
    }
    return reader.atEnd();
}

bool DecodeName(const std::string& payload, JournalContent& content) {
    PayloadReader reader(payload);
    unsigned char target = 0;
    unsigned char role = 0;
    std::string name;
    if (!reader.byte(target) || !reader.byte(role) || !reader.text(name) || !reader.atEnd() ||
        target >= content.names.size() || name.empty() ||
        (role != static_cast<unsigned char>(JournalRole::Staged) &&
         role != static_cast<unsigned char>(JournalRole::Old))) {
        return false;
    }
    content.files.push_back({target, static_cast<JournalRole>(role), name});
    return true;
}

// Stages come in their order, each once: a save that placed its files is
// either done or undone.
bool DecodeStage(char kind, JournalContent& content) {
    const JournalStage next = static_cast<JournalStage>(kind);
    const bool follows =
        (content.stage == JournalStage::Staging && next == JournalStage::Placing) ||
        (content.stage == JournalStage::Placing && (next == JournalStage::Undoing || next == JournalStage::Done)) ||
        (content.stage == JournalStage::Undoing && next == JournalStage::Undone);
    if (!follows) {
        return false;
    }
    content.stage = next;
    return true;
}

// The path of a target's folder as the journal keeps it: empty when it is
// the folder of the first target, where the journal lies (so that a folder
// moved with its files keeps its journal right), otherwise the full path.
std::string RecordedFolder(const std::string& target, const std::string& firstTarget) {
    const std::string full = RawFileFullPath(target.c_str());
    const std::string firstFull = RawFileFullPath(firstTarget.c_str());
    const std::string folder =
        full.empty() ? target.substr(0, FolderLength(target)) : full.substr(0, FolderLength(full));
    const std::string firstFolder = firstFull.empty() ? firstTarget.substr(0, FolderLength(firstTarget))
                                                      : firstFull.substr(0, FolderLength(firstFull));
    return folder == firstFolder ? std::string() : folder;
}

}  // namespace

std::string JournalStartRecord(const std::vector<std::string>& folders, const std::vector<std::string>& names) {
    std::string payload(1, static_cast<char>(names.size()));
    for (std::size_t target = 0; target < names.size(); ++target) {
        PutText(payload, folders[target]);
        PutText(payload, names[target]);
    }
    return kMagic + Record(kStartKind, payload);
}

std::string JournalNameRecord(std::size_t target, JournalRole role, const std::string& name) {
    std::string payload;
    payload += static_cast<char>(target);
    payload += static_cast<char>(role);
    PutText(payload, name);
    return Record(kNameKind, payload);
}

std::string JournalWithdrawRecord() { return Record(kWithdrawKind, std::string()); }

std::string JournalStageRecord(JournalStage stage) { return Record(static_cast<char>(stage), std::string()); }

JournalReadResult DecodeJournal(const std::string& bytes, JournalContent& content) {
    content = JournalContent();
    const std::string head = bytes.substr(0, kMagicLength);
    if (head != std::string(kMagic, head.size())) {
        return JournalReadResult::NotAJournal;
    }
    if (bytes.size() <= kMagicLength) {
        return JournalReadResult::Damaged;  // cut short within or just after the magic
    }
    bool lastWasName = false;
    for (std::size_t at = kMagicLength; at < bytes.size();) {
        if (bytes.size() - at < kRecordHead + kChecksumSize) {
            return JournalReadResult::Damaged;
        }
        const char kind = bytes[at];
        const std::size_t length = GetLittleEndian(bytes, at + 1, 2);
        if (bytes.size() - at - kRecordHead - kChecksumSize < length ||
            Crc32(bytes.substr(at, kRecordHead + length)) != GetLittleEndian(bytes, at + kRecordHead + length, 4)) {
            return JournalReadResult::Damaged;
        }
        const std::string payload = bytes.substr(at + kRecordHead, length);
        const bool first = at == kMagicLength;
        at += kRecordHead + length + kChecksumSize;
        bool sound = false;
        if (first || kind == kStartKind) {
            sound = first && kind == kStartKind && DecodeStart(payload, content);
        } else if (kind == kNameKind) {
            sound = DecodeName(payload, content);
        } else if (kind == kWithdrawKind) {
            sound = lastWasName && payload.empty();
            if (sound) {
                content.files.pop_back();
            }
        } else {
            sound = payload.empty() && DecodeStage(kind, content);
        }
        if (!sound) {
            return JournalReadResult::Damaged;
        }
        lastWasName = kind == kNameKind;
    }
    return JournalReadResult::Read;
}

SaveJournal::~SaveJournal() { finish(false); }

SaveJournal::Start SaveJournal::start(const std::vector<std::string>& targets) {
    const std::string path = JournalPath(targets.front());
    for (const std::string& target : targets) {
        if (SameFileName(path.substr(FolderLength(path)), target.substr(FolderLength(target)))) {
            return Start::Taken;
        }
    }
    std::vector<std::string> folders;
    std::vector<std::string> names;
    for (const std::string& target : targets) {
        folders.push_back(RecordedFolder(target, targets.front()));
        names.push_back(target.substr(FolderLength(target)));
    }
    PassSaveStep();
    switch (RawFileCreateHeld(file_, path.c_str())) {
    case RawCreateResult::Created: break;
    case RawCreateResult::AlreadyExists: return Start::Taken;
    case RawCreateResult::Failed: return Start::Failed;
    }
    path_ = path;
    // A journal without its start is taken for one whose process ended
    // before it could write anything.
    if (!append(JournalStartRecord(folders, names), false)) {
        finish(false);
        return Start::Failed;
    }
    return Start::Started;
}

bool SaveJournal::recordName(std::size_t target, JournalRole role, const std::string& name) {
    return append(JournalNameRecord(target, role, name), false);
}

bool SaveJournal::withdrawName() { return append(JournalWithdrawRecord(), false); }

bool SaveJournal::recordStage(JournalStage stage, bool flush) { return append(JournalStageRecord(stage), flush); }

bool SaveJournal::append(const std::string& record, bool flush) {
    if (!isActive()) {
        return true;
    }
    PassSaveStep();
    if (!RawFileWrite(file_, record.data(), record.size())) {
        return false;
    }
    if (!flush) {
        return true;
    }
    PassSaveStep();
    return RawFileCommit(file_);
}

bool SaveJournal::finish(bool keep) {
    if (!isActive()) {
        return true;
    }
    PassSaveStep();
    if (keep) {
        RawFileClose(file_);
        return true;
    }
    return RawFileDeleteHeld(file_, path_.c_str());
}
