#include "PictureCycleBackdrop.h"

#include <gdk/gdk.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>

#include "MonitorName.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

bool Readable(const std::string& path) {
    return g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR) && ::access(path.c_str(), R_OK) == 0;
}

// "6 s", "1.5 s": the interval as the user gave it.
std::string Seconds(double ms) {
    char buf[32];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, ms / 1000.0, std::chars_format::general, 6);
    return std::string(buf, res.ptr) + " s";
}

}  // namespace

PictureCycleBackdrop::PictureCycleBackdrop(std::unique_ptr<DesktopBackground> desktop,
                                           std::string desktopName)
    : desktop_(std::move(desktop)), desktopName_(std::move(desktopName)), saved_(*desktop_) {}

PictureCycleBackdrop::~PictureCycleBackdrop() {
    StopTimer();
    const std::string problem = saved_.GiveBack();
    if (!problem.empty()) std::fprintf(stderr, "desktop-sorvane-host: %s\n", problem.c_str());
}

HostReply PictureCycleBackdrop::Show(const std::string& pagePath) {
    if (pagePath.empty()) {
        StopTimer();
        showing_ = false;
        const std::string problem = saved_.GiveBack();
        return {problem.empty(), problem};
    }
    PageShow show;
    try {
        show = ReadPageShow(pagePath);
    } catch (const Error& e) {
        return {false, e.what()};
    }
    if (!Readable(show.Pictures.front()))
        return {false, "The page's first picture " + show.Pictures.front() + " can't be read."};
    // Nothing changes unless the user's own background can come back.
    std::string problem = saved_.KeepCurrent();
    if (problem.empty()) problem = desktop_->Set(show.Pictures.front());
    if (!problem.empty()) return {false, problem};
    StopTimer();
    monitors_ = desktop_->Shown().size();
    show_ = std::move(show);
    showing_ = true;
    index_ = 0;
    if (show_.Pictures.size() > 1)
        timer_ = g_timeout_add(static_cast<guint>(show_.IntervalMs), OnTimer, this);
    return {true, {}};
}

gboolean PictureCycleBackdrop::OnTimer(gpointer data) {
    static_cast<PictureCycleBackdrop*>(data)->Advance();
    return G_SOURCE_CONTINUE;
}

bool PictureCycleBackdrop::UserChoseAnother() const {
    const std::vector<std::string> shown = desktop_->Shown();
    // A monitor that came meanwhile has the desktop's default: not a choice.
    if (shown.size() != monitors_) return false;
    for (const std::string& picture : shown)
        if (!picture.empty() && !IsPreparedCopy(picture)) return true;
    return false;
}

void PictureCycleBackdrop::Advance() {
    // A background the user picked in the desktop's own settings stays, and
    // is theirs to keep when we end; NotSeen() tells the program.
    if (UserChoseAnother()) {
        StopTimer();
        saved_.Forget();
        std::fprintf(stderr,
                     "desktop-sorvane-host: %s shows a background of the user's choice; "
                     "the pictures stop.\n",
                     desktop_->Name().c_str());
        return;
    }
    // A picture deleted meanwhile is passed over, as the page passes it.
    for (size_t tries = 0; tries < show_.Pictures.size(); ++tries) {
        const size_t next = (index_ + 1 + tries) % show_.Pictures.size();
        if (!Readable(show_.Pictures[next])) continue;
        if (next == index_) return;
        const std::string problem = desktop_->Set(show_.Pictures[next]);
        if (!problem.empty()) {
            std::fprintf(stderr, "desktop-sorvane-host: %s\n", problem.c_str());
            return;
        }
        index_ = next;
        monitors_ = desktop_->Shown().size();
        return;
    }
}

void PictureCycleBackdrop::StopTimer() {
    if (timer_ != 0) g_source_remove(timer_);
    timer_ = 0;
}

std::string PictureCycleBackdrop::NotSeen() const {
    if (!showing_) return {};
    const std::string& ours = show_.Pictures[index_];
    const std::vector<std::string> shown = desktop_->Shown();
    if (shown.empty()) return desktop_->Name() + " does not say which background it shows.";
    for (const std::string& picture : shown)
        if (picture != ours)
            return desktop_->Name() + " shows another background (" +
                   (picture.empty() ? std::string("none") : picture) + ") than our picture " +
                   ours + ".";
    return {};
}

std::vector<std::string> PictureCycleBackdrop::Status() const {
    std::string how = desktop_->Name() + "'s own background, ";
    if (!showing_)
        how += "the user's own picture";
    else if (show_.Pictures.size() == 1)
        how += "our one picture, without transitions";
    else
        how += "our pictures in turn every " + Seconds(show_.IntervalMs) + ", without transitions";
    std::vector<std::string> out;
    GdkDisplay* display = gdk_display_get_default();
    for (int i = 0; display && i < gdk_display_get_n_monitors(display); ++i)
        out.push_back(MonitorName(gdk_display_get_monitor(display, i)) + ": " + how);
    if (out.empty()) out.push_back("every monitor: " + how);
    return out;
}

std::string PictureCycleBackdrop::Limits() const {
    return desktopName_ + " shows your pictures in turn, without transitions.";
}

uint64_t PictureCycleBackdrop::ShownId() const {
    // Not a window of ours: any non-zero token says the desktop shows us.
    return showing_ && NotSeen().empty() ? 1 : 0;
}

}  // namespace sorvane
