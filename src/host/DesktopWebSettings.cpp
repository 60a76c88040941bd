#include "DesktopWebSettings.h"

#include <cstring>

namespace sorvane {

namespace {

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                       gpointer) {
    return TRUE;  // a desktop has no page menu
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
        WebKitNavigationAction* action =
            webkit_navigation_policy_decision_get_navigation_action(navigation);
        WebKitURIRequest* request = webkit_navigation_action_get_request(action);
        if (!IsDesktopPageUri(webkit_uri_request_get_uri(request))) {
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

bool IsDesktopPageUri(const char* uri) {
    return uri != nullptr &&
           (std::strncmp(uri, "file:///", 8) == 0 || std::strcmp(uri, "about:blank") == 0);
}

void ConfigureDesktopWebView(WebKitWebView* view, bool hardwareAcceleration) {
    WebKitSettings* s = webkit_web_view_get_settings(view);
    webkit_settings_set_hardware_acceleration_policy(
        s, hardwareAcceleration ? WEBKIT_HARDWARE_ACCELERATION_POLICY_ALWAYS
                                : WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    webkit_settings_set_enable_javascript(s, TRUE);
    webkit_settings_set_enable_developer_extras(s, FALSE);
    webkit_settings_set_enable_page_cache(s, FALSE);
    webkit_settings_set_enable_webaudio(s, FALSE);
    webkit_settings_set_enable_webgl(s, FALSE);
    webkit_settings_set_media_playback_requires_user_gesture(s, TRUE);
    webkit_settings_set_javascript_can_open_windows_automatically(s, FALSE);
    webkit_settings_set_enable_smooth_scrolling(s, FALSE);
    const GdkRGBA black{0, 0, 0, 1};
    webkit_web_view_set_background_color(view, &black);
    g_signal_connect(view, "context-menu", G_CALLBACK(OnContextMenu), nullptr);
    g_signal_connect(view, "decide-policy", G_CALLBACK(OnDecidePolicy), nullptr);
}

}  // namespace sorvane
