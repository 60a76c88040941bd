// The slide show page as the wallpaper of a Plasma desktop, under its icons.
// Plasma 6: root becomes WallpaperItem (org.kde.plasma.plasmoid 2.0), the
// configuration is `configuration.Page`, and the import is QtWebEngine
// (no version).
import QtQuick 2.15
import QtWebEngine 1.10

Rectangle {
    id: root

    readonly property string page: wallpaper.configuration.Page
    readonly property int revision: wallpaper.configuration.Revision

    // Black until the page has loaded: never a white flash between pictures.
    color: "black"

    onRevisionChanged: view.reload()

    WebEngineView {
        id: view

        anchors.fill: parent
        // Plasma's icons lie above; the wallpaper itself takes no input.
        enabled: false
        backgroundColor: "transparent"
        visible: loadProgress === 100
        url: root.page
        settings.showScrollBars: false
        settings.javascriptCanOpenWindows: false
        settings.focusOnNavigationEnabled: false

        onLoadingChanged: {
            if (loadRequest.status === WebEngineView.LoadSucceededStatus)
                wallpaper.configuration.Shown = root.revision + " " + loadRequest.url
        }
        onContextMenuRequested: request.accepted = true
        // Only the page itself (and its reloads) may load here.
        onNavigationRequested: {
            if (request.url.toString() !== root.page)
                request.action = WebEngineNavigationRequest.IgnoreRequest
        }
    }
}
