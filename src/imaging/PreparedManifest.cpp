#include "PreparedManifest.h"

#include <filesystem>

#include <charconv>

#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

constexpr char kFirstLine[] = "sorvane prepared copies\n";

// One line: a field up to the next tab. False at the end or on a malformed field.
bool NextField(std::string_view& text, std::string& field, char end) {
    const size_t at = text.find(end);
    if (at == std::string_view::npos) return false;
    field.assign(text.substr(0, at));
    text.remove_prefix(at + 1);
    return true;
}

}  // namespace

std::string PreparedManifest::JobKey(PixelSize target, uint32_t drawnColor, int alignIndex) {
    return std::to_string(kPreparationVersion) + " " + std::to_string(target.Width) + "x" +
           std::to_string(target.Height) + " " + std::to_string(drawnColor) + " " +
           std::to_string(alignIndex);
}

const PreparedManifest::Entry* PreparedManifest::Find(const std::string& name) const {
    const auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : &it->second;
}

// The text: a first line, the job key, then per copy the stored identity, the
// copy's identity, the name's length and the name (which may hold any byte but
// the separator), each ended by a tab, the record by a newline.
PreparedManifest PreparedManifest::Read(const std::string& folder, const std::string& jobKey) {
    PreparedManifest manifest(jobKey);
    // A link in the copies' folder's place is no show of ours (Apply refuses
    // it): nothing there is reused. Far larger than any real list: not read.
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(fs::path(folder).parent_path(), ec))) return manifest;
    const std::optional<std::string> bytes =
        ReadWholeFileIfPossible(folder + FileName, size_t{64} << 20);
    const std::string head = std::string(kFirstLine) + jobKey + "\n";
    if (!bytes || bytes->compare(0, head.size(), head) != 0) return manifest;
    std::string_view text(*bytes);
    text.remove_prefix(head.size());
    std::map<std::string, Entry> entries;
    while (!text.empty()) {
        Entry entry;
        std::string length;
        size_t n = 0;
        if (!NextField(text, entry.Stored, '\t') || !NextField(text, entry.Copy, '\t') ||
            !NextField(text, length, '\t'))
            return manifest;
        const auto [end, ec] = std::from_chars(length.data(), length.data() + length.size(), n);
        if (ec != std::errc() || end != length.data() + length.size() || n + 1 > text.size() ||
            text[n] != '\n')
            return manifest;
        entries[std::string(text.substr(0, n))] = std::move(entry);
        text.remove_prefix(n + 1);
    }
    manifest.entries_ = std::move(entries);
    return manifest;
}

void PreparedManifest::Write(const std::string& folder) const {
    std::string text = std::string(kFirstLine) + jobKey_ + "\n";
    for (const auto& [name, entry] : entries_)
        text += entry.Stored + "\t" + entry.Copy + "\t" + std::to_string(name.size()) + "\t" +
                name + "\n";
    // Like the copies it describes: rebuilt by every run, so not flushed.
    WriteFileAtomically(folder + FileName, text, Durability::Unflushed);
}

}  // namespace sorvane
