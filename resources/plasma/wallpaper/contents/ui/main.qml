// The slide show page as the wallpaper of a Plasma desktop, under its icons.
// desktop-sorvane-host sets Page (and raises Revision to load the same page
// again); the plugin answers with Shown once the page has loaded.
//
// For Plasma 6 (Qt 6): metadata.json needs "X-Plasma-API-Minimum-Version":
// "6.0"; the root is WallpaperItem (import org.kde.plasma.plasmoid) and the
// settings are `configuration.Page` rather than `wallpaper.configuration.Page`;
// QtWebEngine is imported without a version, loadingChanged's argument is
// `loadingInfo`, and a navigation is refused with request.reject().
import QtQuick 2.15
import QtWebEngine 1.10

Rectangle {
    id: root

    readonly property string page: wallpaper.configuration.Page
    readonly property int revision: wallpaper.configuration.Revision
    property bool loaded: false

    // Black until the page has first loaded: never a white flash. Later loads
    // keep the last page until the new one paints its own background.
    color: "black"

    onRevisionChanged: view.reload()

    WebEngineView {
        id: view

        anchors.fill: parent
        // Plasma's icons lie above; the wallpaper itself takes no input.
        enabled: false
        backgroundColor: "transparent"
        visible: root.loaded
        url: root.page
        settings.showScrollBars: false
        settings.javascriptCanOpenWindows: false
        settings.focusOnNavigationEnabled: false

        onLoadingChanged: {
            if (loadRequest.status !== WebEngineView.LoadSucceededStatus)
                return
            root.loaded = true
            wallpaper.configuration.Shown = root.revision + " " + root.page
        }
        onContextMenuRequested: request.accepted = true
        // Only the page itself (and its reloads) may load here.
        onNavigationRequested: {
            if (request.isMainFrame && request.url.toString() !== view.url.toString())
                request.action = WebEngineNavigationRequest.IgnoreRequest
        }
    }
}
