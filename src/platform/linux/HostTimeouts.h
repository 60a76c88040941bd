#pragma once

// How long the program and the desktop host wait for each other. The waits
// nest, each a little longer than the one it contains, so an inner side
// always gives its own answer before the outer side gives up on it; a side
// that gives up reports that it does not know, never success.
namespace sorvane::host_timeouts {

// A running host answers a request that shows a page once it is seen.
inline constexpr int LoadSeenMs = 15000;
// The program's wait for that answer (and for any other request).
inline constexpr int AnswerMs = LoadSeenMs + 5000;
// A question asked from the window's own thread: a hung host must not hang
// the window for long.
inline constexpr int QueryMs = 5000;
// A client must send its request line within this after connecting.
inline constexpr int ClientLineMs = 10000;
// A new host gives up when its first page is not seen within this.
inline constexpr int StartSeenMs = 20000;
// The starter's wait for the new host's report.
inline constexpr int StartReportMs = StartSeenMs + 5000;
// The program's wait for the starter to end.
inline constexpr int LauncherMs = StartReportMs + 5000;

}  // namespace sorvane::host_timeouts
