#include "DesktopHost.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QWebEngineProfile>
#include <filesystem>
#include <fstream>

#include "DesktopView.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"

namespace sorvane {

namespace {

// A client that connects must send its line at once; the desktop doesn't wait.
constexpr int RequestTimeoutMs = 2000;

QUrl PageUrl(const std::string& path) {
    if (path.empty()) return QUrl("about:blank");
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

}  // namespace

std::string PageProblem(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return "The page " + path + " does not exist.";
    std::ifstream in(path, std::ios::binary);
    if (!in) return "The page " + path + " can't be read.";
    return {};
}

DesktopHost::DesktopHost(std::unique_ptr<HostListener> listener,
                         std::shared_ptr<RegistryBackend> registry)
    : listener_(std::move(listener)), registry_(std::move(registry)) {
    // Off the record: no cache or cookies on disk for a page that is ours.
    profile_ = new QWebEngineProfile(this);
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);

    for (QScreen* screen : QGuiApplication::screens()) AddScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &DesktopHost::AddScreen);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &DesktopHost::RemoveScreen);

    if (listener_) {
        notifier_ = new QSocketNotifier(listener_->Fd(), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &DesktopHost::OnConnection);
    }
}

DesktopHost::~DesktopHost() {
    // The views use the profile; they go first.
    views_.clear();
}

void DesktopHost::AddScreen(QScreen* screen) {
    auto view = std::make_unique<DesktopView>(screen, profile_);
    connect(screen, &QScreen::geometryChanged, view.get(), &DesktopView::FitScreen);
    if (!url_.isEmpty()) view->ShowPage(url_, false);
    views_[screen] = std::move(view);
}

void DesktopHost::RemoveScreen(QScreen* screen) { views_.erase(screen); }

void DesktopHost::OnConnection() {
    while (std::optional<HostConnection> connection = listener_->Accept()) {
        const std::optional<std::string> line = connection->ReadLine(RequestTimeoutMs);
        if (!line) continue;
        const std::optional<HostCommand> command = ParseHostCommand(*line);
        const HostReply reply =
            command ? Handle(*command) : HostReply{false, "Unknown request: " + *line};
        connection->WriteLine(FormatHostReply(reply));
    }
}

HostReply DesktopHost::Handle(const HostCommand& command) {
    switch (command.verb) {
        case HostCommand::Verb::Load:
            return Show(command.path);
        case HostCommand::Verb::Reload:
            return Show(ReadWallpaperSetting(registry_));
        case HostCommand::Verb::Window:
            return {true, std::to_string(ShownWindow())};
        case HostCommand::Verb::Quit:
            // Answer first; the loop ends once the answer is out.
            QMetaObject::invokeMethod(this, &DesktopHost::QuitRequested, Qt::QueuedConnection);
            return {true, {}};
    }
    return {false, "Unknown request."};
}

HostReply DesktopHost::Show(const std::string& path) {
    const std::string problem = PageProblem(path);
    // A missing page leaves the desktop empty; the saved setting still names
    // it, so a reload once it exists shows it.
    url_ = problem.empty() ? PageUrl(path) : PageUrl({});
    for (auto& [screen, view] : views_) view->ShowPage(url_, true);
    if (!problem.empty()) return {false, problem};
    return {true, {}};
}

uint64_t DesktopHost::ShownWindow() const {
    uint64_t any = 0;
    for (const auto& [screen, view] : views_) {
        const WId id = view->ShownWindow();
        if (id != 0 && screen == QGuiApplication::primaryScreen()) return id;
        if (any == 0) any = id;
    }
    return any;
}

}  // namespace sorvane
