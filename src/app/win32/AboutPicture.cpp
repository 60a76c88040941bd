#include "AboutPicture.h"

#include <objidl.h>

#include <utility>

#include <gdiplus.h>

namespace sorvane {

namespace {

using namespace Gdiplus;

// GDI+ is started on first use and left running until the process ends.
bool Started() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        GdiplusStartupInput input;
        return GdiplusStartup(&token, &input, nullptr) == Ok;
    }();
    return started;
}

void AddRoundedRect(GraphicsPath& path, const RectF& r, REAL radius) {
    const REAL d = radius * 2;
    path.AddArc(r.X, r.Y, d, d, 180, 90);
    path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
    path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
    path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
    path.CloseFigure();
}

void Slide(Graphics& g, const RectF& slide, const Color& edge, const Color& fill) {
    GraphicsPath path;
    AddRoundedRect(path, slide, 3);
    SolidBrush brush(fill);
    Pen pen(edge, 1);
    g.FillPath(&brush, &path);
    g.DrawPath(&pen, &path);
}

}  // namespace

void DrawAboutPicture(HDC dc, const RECT& area) {
    if (!Started()) return;
    Graphics g(dc);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.TranslateTransform(static_cast<REAL>(area.left), static_cast<REAL>(area.top));
    const REAL scale = static_cast<REAL>(area.right - area.left) / 158;
    g.ScaleTransform(scale, scale);

    // Two slides behind the front one, turned a little.
    const RectF slide(14, 20, 130, 104);
    const PointF centre(slide.X + slide.Width / 2, slide.Y + slide.Height / 2);
    for (const auto& [angle, shade] : {std::pair{-9.0f, BYTE{200}}, std::pair{5.0f, BYTE{225}}}) {
        const GraphicsState kept = g.Save();
        g.TranslateTransform(centre.X, centre.Y);
        g.RotateTransform(angle);
        g.TranslateTransform(-centre.X, -centre.Y);
        Slide(g, slide, Color(120, 120, 120), Color(shade, shade, shade));
        g.Restore(kept);
    }

    // The front slide: a white mount and a landscape.
    Slide(g, slide, Color(90, 90, 90), Color(255, 255, 255));
    const RectF view(slide.X + 7, slide.Y + 7, slide.Width - 14, slide.Height - 14);
    const REAL left = view.X, top = view.Y, right = view.X + view.Width,
               bottom = view.Y + view.Height;
    const GraphicsState unclipped = g.Save();
    g.SetClip(view);
    {
        LinearGradientBrush sky(PointF(left, top - 1), PointF(left, bottom + 1),
                                Color(58, 110, 165), Color(250, 196, 120));
        const Color colours[] = {Color(58, 110, 165), Color(250, 196, 120), Color(250, 196, 120)};
        const REAL stops[] = {0, 0.65f, 1};
        sky.SetInterpolationColors(colours, stops, 3);
        g.FillRectangle(&sky, view);
    }
    {
        GraphicsPath disc;
        disc.AddEllipse(left + 82 - 16, top + 50 - 16, 32.0f, 32.0f);
        PathGradientBrush sun(&disc);
        // From the rim (0) to the centre (1).
        Color colours[] = {Color(0, 255, 214, 90), Color(255, 255, 214, 90),
                           Color(255, 255, 250, 220)};
        REAL stops[] = {0, 0.4f, 1};
        sun.SetInterpolationColors(colours, stops, 3);
        g.FillPath(&sun, &disc);
    }
    {
        const PointF ridge[] = {
            {left, bottom - 22},   {left + 30, top + 38}, {left + 52, bottom - 32},
            {left + 78, top + 30}, {right, bottom - 26},  {right, bottom},
            {left, bottom}};
        SolidBrush brush(Color(70, 84, 120));
        g.FillPolygon(&brush, ridge, 7);
    }
    {
        GraphicsPath hills;
        hills.AddBezier(PointF(left, bottom - 12), PointF(left + 40, bottom - 30),
                        PointF(left + 80, bottom - 2), PointF(right, bottom - 18));
        hills.AddLine(PointF(right, bottom - 18), PointF(right, bottom));
        hills.AddLine(PointF(right, bottom), PointF(left, bottom));
        hills.CloseFigure();
        SolidBrush brush(Color(46, 110, 62));
        g.FillPath(&brush, &hills);
    }
    g.Restore(unclipped);

    // A play mark below the slides: the show runs by itself.
    const PointF c(158 / 2.0f, 148);
    SolidBrush white(Color(255, 255, 255)), blue(Color(40, 70, 120));
    Pen ring(Color(40, 70, 120), 2);
    g.FillEllipse(&white, c.X - 15, c.Y - 15, 30.0f, 30.0f);
    g.DrawEllipse(&ring, c.X - 15, c.Y - 15, 30.0f, 30.0f);
    const PointF play[] = {{c.X - 6, c.Y - 9}, {c.X + 10, c.Y}, {c.X - 6, c.Y + 9}};
    g.FillPolygon(&blue, play, 3);
}

}  // namespace sorvane
