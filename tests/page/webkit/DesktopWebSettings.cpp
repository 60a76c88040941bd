#include "DesktopWebSettings.h"

void ConfigureDesktopWebView(WebKitWebView* view, bool hardwareAcceleration) {
    WebKitSettings* settings = webkit_web_view_get_settings(view);
    webkit_settings_set_hardware_acceleration_policy(
        settings, hardwareAcceleration ? WEBKIT_HARDWARE_ACCELERATION_POLICY_ALWAYS
                                       : WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    webkit_settings_set_enable_javascript(settings, TRUE);
}
