// Shows slide-show pages in WebKitGTK with the desktop host's own engine
// settings, so the page tests measure what the desktop shows. Driven over
// stdin/stdout, one request per line; every answer starts with the request's
// id, and requests may overlap (answers come as they finish):
//   <id> open <view> <width> <height> <url>   a window of that size, page loaded
//   <id> js <view> <base64 function body>     runs it (await allowed); answers
//                                             "ok <base64 JSON of the result>"
//   <id> shot <view> <png path>               the visible page as a PNG
//   <id> close <view>
// Answers: "<id> ok [data]" or "<id> err <base64 message>".
// Options: --init-script <file> (runs in every page before its own scripts),
//          --hardware-acceleration.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "host/DesktopWebSettings.h"

namespace {

struct View {
    GtkWidget* window = nullptr;
    WebKitWebView* web = nullptr;
    std::string pendingOpen;  // the id of an open request until its page has loaded
};

struct Request {
    std::string id;
    std::string view;
};

std::map<std::string, std::unique_ptr<View>> views;
std::string initScript;
bool hardwareAcceleration = false;
int nextX = 0;

std::string base64(const std::string& text) {
    gchar* b = g_base64_encode(reinterpret_cast<const guchar*>(text.data()), text.size());
    std::string out = b;
    g_free(b);
    return out;
}

std::string unbase64(const std::string& text) {
    gsize n = 0;
    guchar* raw = g_base64_decode(text.c_str(), &n);
    std::string out(reinterpret_cast<char*>(raw), n);
    g_free(raw);
    return out;
}

void answer(const std::string& id, const std::string& rest) {
    std::printf("%s %s\n", id.c_str(), rest.c_str());
    std::fflush(stdout);
}

void fail(const std::string& id, const std::string& message) {
    answer(id, "err " + base64(message));
}

void onLoadChanged(WebKitWebView* web, WebKitLoadEvent event, gpointer data) {
    auto* v = static_cast<View*>(data);
    if (event != WEBKIT_LOAD_FINISHED || v->pendingOpen.empty()) return;
    answer(v->pendingOpen, "ok");
    v->pendingOpen.clear();
    (void)web;
}

gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer data) {
    auto* v = static_cast<View*>(data);
    if (!v->pendingOpen.empty()) {
        fail(v->pendingOpen, std::string("cannot load ") + uri + ": " + error->message);
        v->pendingOpen.clear();
    }
    return TRUE;
}

void open(const std::string& id, const std::string& name, int width, int height,
          const std::string& url) {
    auto v = std::make_unique<View>();
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    if (!initScript.empty()) {
        WebKitUserScript* script =
            webkit_user_script_new(initScript.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(content, script);
        webkit_user_script_unref(script);
    }
    v->web = WEBKIT_WEB_VIEW(webkit_web_view_new_with_user_content_manager(content));
    g_object_unref(content);
    sorvane::ConfigureDesktopWebView(v->web, hardwareAcceleration);

    v->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(v->window), FALSE);
    gtk_window_set_default_size(GTK_WINDOW(v->window), width, height);
    gtk_window_move(GTK_WINDOW(v->window), nextX, 0);
    nextX = (nextX + width) % 3000;
    gtk_container_add(GTK_CONTAINER(v->window), GTK_WIDGET(v->web));
    gtk_widget_show_all(v->window);

    v->pendingOpen = id;
    g_signal_connect(v->web, "load-changed", G_CALLBACK(onLoadChanged), v.get());
    g_signal_connect(v->web, "load-failed", G_CALLBACK(onLoadFailed), v.get());
    webkit_web_view_load_uri(v->web, url.c_str());
    views[name] = std::move(v);
}

void onScriptDone(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Request> r(static_cast<Request*>(data));
    GError* error = nullptr;
    JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source),
                                                                            result, &error);
    if (!value) {
        fail(r->id, error ? error->message : "script failed");
        if (error) g_error_free(error);
        return;
    }
    std::string json = "null";
    if (!jsc_value_is_undefined(value)) {
        char* text = jsc_value_to_json(value, 0);
        if (text) json = text;
        g_free(text);
    }
    g_object_unref(value);
    answer(r->id, "ok " + base64(json));
}

void onSnapshot(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::pair<std::string, std::string>> r(
        static_cast<std::pair<std::string, std::string>*>(data));
    GError* error = nullptr;
    cairo_surface_t* surface =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (!surface) {
        fail(r->first, error ? error->message : "no snapshot");
        if (error) g_error_free(error);
        return;
    }
    cairo_status_t status = cairo_surface_write_to_png(surface, r->second.c_str());
    cairo_surface_destroy(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        answer(r->first, "ok");
    else
        fail(r->first, std::string("cannot write ") + r->second);
}

void handle(const std::string& line) {
    std::istringstream in(line);
    std::string id, verb, name;
    in >> id >> verb >> name;
    if (id.empty()) return;
    if (verb == "open") {
        int width = 0, height = 0;
        std::string url;
        in >> width >> height >> url;
        if (width <= 0 || height <= 0 || url.empty() || views.count(name))
            return fail(id, "open needs a new view, a size and a URL");
        return open(id, name, width, height, url);
    }
    auto found = views.find(name);
    if (found == views.end()) return fail(id, "no view " + name);
    View* v = found->second.get();
    if (verb == "js") {
        std::string body;
        in >> body;
        webkit_web_view_call_async_javascript_function(v->web, unbase64(body).c_str(), -1, nullptr,
                                                       nullptr, nullptr, nullptr, onScriptDone,
                                                       new Request{id, name});
    } else if (verb == "shot") {
        std::string path;
        in >> path;
        webkit_web_view_get_snapshot(v->web, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                     WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr, onSnapshot,
                                     new std::pair<std::string, std::string>(id, path));
    } else if (verb == "close") {
        gtk_widget_destroy(v->window);
        views.erase(found);
        answer(id, "ok");
    } else {
        fail(id, "unknown request " + verb);
    }
}

gboolean onInput(GIOChannel* channel, GIOCondition, gpointer) {
    gchar* line = nullptr;
    gsize length = 0;
    GIOStatus status = g_io_channel_read_line(channel, &line, &length, nullptr, nullptr);
    if (status == G_IO_STATUS_EOF || status == G_IO_STATUS_ERROR) {
        gtk_main_quit();
        return FALSE;
    }
    if (line) {
        std::string text(line, length);
        g_free(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        handle(text);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--hardware-acceleration")) {
            hardwareAcceleration = true;
        } else if (!std::strcmp(argv[i], "--init-script") && i + 1 < argc) {
            gchar* text = nullptr;
            if (!g_file_get_contents(argv[++i], &text, nullptr, nullptr)) {
                std::fprintf(stderr, "cannot read %s\n", argv[i]);
                return 2;
            }
            initScript = text;
            g_free(text);
        }
    }
    GIOChannel* input = g_io_channel_unix_new(0);
    g_io_add_watch(input, GIOCondition(G_IO_IN | G_IO_HUP), onInput, nullptr);
    std::printf("ready %u.%u.%u\n", webkit_get_major_version(), webkit_get_minor_version(),
                webkit_get_micro_version());
    std::fflush(stdout);
    gtk_main();
    views.clear();
    return 0;
}
