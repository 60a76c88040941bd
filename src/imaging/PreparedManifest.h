#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Geometry.h"

namespace sorvane {

// Raise whenever a change to decoding, fitting, resampling, the canvas or the
// encoders alters the bytes of a prepared copy: copies made by older code are
// then all made again.
inline constexpr int kPreparationVersion = 2;

// What the prepared copies of one show were made from, kept beside them so the
// next build makes again only the copies whose inputs changed.
class PreparedManifest {
  public:
    // The file's name in the prepared-copies folder; hidden, the page never names it.
    static constexpr char FileName[] = ".prepared";

    // What every copy of a run shares: the code's version, the target size,
    // the background colour as drawn and the alignment.
    static std::string JobKey(PixelSize target, uint32_t drawnColor, int alignIndex);

    struct Entry {
        std::string Stored;  // the stored copy's identity (FileIdentityOf) the copy was made from
        std::string Copy;    // the prepared copy's own (FileContentIdentityOf) when it was made
    };

    explicit PreparedManifest(std::string jobKey) : jobKey_(std::move(jobKey)) {}

    // The manifest in `folder` (ending with a separator) if it was made for
    // `jobKey`; an empty one when it is missing, unreadable or for other inputs.
    static PreparedManifest Read(const std::string& folder, const std::string& jobKey);
    // Written whole under a temporary name and renamed; throws sorvane::Error.
    void Write(const std::string& folder) const;

    void Set(const std::string& name, Entry entry) { entries_[name] = std::move(entry); }
    const Entry* Find(const std::string& name) const;
    size_t Size() const { return entries_.size(); }

  private:
    std::string jobKey_;
    std::map<std::string, Entry> entries_;
};

}  // namespace sorvane
