// Draws Ferrulith's editor: the panel background, the knob film strip and the
// bypass switch, and writes the UI description that places the controls on
// them. Panel and description come from the one layout below, so a knob's
// scale printed on the panel always sits around the knob.
//
// Usage: make_images <resource folder>
// Writes background.png, knob.png, bypass.png and ferrulitheditor.uidesc.
// The output is deterministic: the brushed-metal grain uses a fixed seed.

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{

constexpr double kPi = 3.14159265358979323846;

// ---- Layout ---------------------------------------------------------------

constexpr int kWidth = 950;
constexpr int kHeight = 288;
constexpr int kHeaderHeight = 70;

constexpr int kKnobSize = 64;
constexpr int kKnobFrames = 101;
constexpr int kColumnWidth = 84;
constexpr int kSectionPad = 12;
constexpr int kSectionGap = 12;
constexpr int kSectionTop = 84;
constexpr int kSectionMinWidth = 140; // room for a group title over a single knob
constexpr int kSectionHeight = 186;

// Rows inside a section, relative to its top.
constexpr int kTitleRow = 42; // control title label
constexpr int kTitleHeight = 16;
constexpr int kKnobRow = 66;   // knob or switch
constexpr int kValueRow = 144; // value read-out
constexpr int kValueWidth = 68;
constexpr int kValueHeight = 20;

constexpr int kMenuWidth = 230;
constexpr int kMenuHeight = 26;
constexpr int kMenuX = kWidth - 18 - kMenuWidth;
constexpr int kMenuY = 24;
constexpr int kMenuArrowWidth = 28;

// The knob's travel: 270 degrees, from lower left through the top to lower right.
constexpr double kStartAngle = 0.75 * kPi;
constexpr double kTravel = 1.5 * kPi;

enum class Kind
{
    knob,
    bypass
};

struct Control
{
    const char* tag; // control-tag name, also the title shown
    Kind kind;
};

struct Section
{
    const char* title;
    std::vector<Control> controls;
    int dividerAfter; // column after which a thin divider splits the section, -1 for none
};

// Left to right in the order the signal meets them.
const std::vector<Section> kSections = {
    {"INPUT \xC2\xB7 GATE", {{"Noise", Kind::knob}}, -1},
    {"DRIVE \xC2\xB7 BOOST", {{"Preamp", Kind::knob}, {"Boost", Kind::knob}}, -1},
    {"TONE \xC2\xB7 FILTER",
     {{"Lo", Kind::knob}, {"Hi", Kind::knob}, {"Cut", Kind::knob}, {"Res", Kind::knob}},
     1},
    {"OUTPUT", {{"Volume", Kind::knob}, {"Bypass", Kind::bypass}}, -1},
};

const char* const kTags[] = {"Preamp", "Noise", "Volume", "Lo",     "Res",
                             "Cut",    "Hi",    "Boost",  "Bypass", "Presets"};

int sectionWidth(const Section& s)
{
    const int content = 2 * kSectionPad + kColumnWidth * static_cast<int>(s.controls.size());
    return content < kSectionMinWidth ? kSectionMinWidth : content;
}

int sectionsLeft()
{
    int total = 0;
    for (const auto& s : kSections)
        total += sectionWidth(s);
    total += kSectionGap * (static_cast<int>(kSections.size()) - 1);
    return (kWidth - total) / 2;
}

struct Placed
{
    const Section* section;
    int x; // section's left edge
};

std::vector<Placed> placeSections()
{
    std::vector<Placed> out;
    int x = sectionsLeft();
    for (const auto& s : kSections)
    {
        out.push_back({&s, x});
        x += sectionWidth(s) + kSectionGap;
    }
    return out;
}

// Columns are centred in their section, which may be wider than they need.
int columnLeft(const Placed& p, int column)
{
    const int columns = static_cast<int>(p.section->controls.size());
    const int inset = (sectionWidth(*p.section) - columns * kColumnWidth) / 2;
    return p.x + inset + column * kColumnWidth;
}

// ---- Colours --------------------------------------------------------------

struct Rgb
{
    double r, g, b;
};

constexpr Rgb hex(uint32_t v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

constexpr Rgb kPanelTop = hex(0x2c2d31);
constexpr Rgb kPanelBottom = hex(0x1d1e21);
constexpr Rgb kHeaderTop = hex(0x17181a);
constexpr Rgb kHeaderBottom = hex(0x101113);
constexpr Rgb kWell = hex(0x222326);
constexpr Rgb kEmber = hex(0xe8692e);
constexpr Rgb kCream = hex(0xece4d0);
constexpr Rgb kEngrave = hex(0xa29c8e);

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// ---- Drawing helpers ------------------------------------------------------

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -0.5 * kPi, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 0.5 * kPi);
    cairo_arc(cr, x + r, y + h - r, r, 0.5 * kPi, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

// Fixed-seed generator so that the committed images can be reproduced exactly.
struct Grain
{
    uint32_t state = 0x2545F491u;
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 4294967296.0;
    }
};

void brushedMetal(cairo_t* cr, double x, double y, double w, double h, Grain& grain,
                  double strength)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.0);
    const int strokes = static_cast<int>(w * h / 90.0);
    for (int i = 0; i < strokes; ++i)
    {
        const double sy = y + std::floor(grain.next() * h) + 0.5;
        const double sx = x + grain.next() * w - 40.0;
        const double len = 30.0 + grain.next() * 160.0;
        const bool light = grain.next() < 0.5;
        const double a = strength * (0.3 + 0.7 * grain.next());
        cairo_set_source_rgba(cr, light ? 1 : 0, light ? 1 : 0, light ? 1 : 0, a);
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + len, sy);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// Text with extra space between letters, the way panel lettering is engraved.
double spacedWidth(cairo_t* cr, const std::string& text, double spacing)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    int glyphs = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++glyphs;
    return e.x_advance + spacing * (glyphs - 1);
}

void spacedText(cairo_t* cr, double x, double y, const std::string& text, double spacing)
{
    size_t i = 0;
    while (i < text.size())
    {
        size_t len = 1;
        while (i + len < text.size() && (static_cast<unsigned char>(text[i + len]) & 0xC0) == 0x80)
            ++len;
        const std::string glyph = text.substr(i, len);
        cairo_text_extents_t e;
        cairo_text_extents(cr, glyph.c_str(), &e);
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, glyph.c_str());
        x += e.x_advance + spacing;
        i += len;
    }
}

// Light text over a one-pixel dark cut below it: reads as engraved into the metal.
void engravedText(cairo_t* cr, double x, double y, const std::string& text, double spacing,
                  Rgb color, double alpha)
{
    cairo_set_source_rgba(cr, 0, 0, 0, 0.65);
    spacedText(cr, x, y + 1, text, spacing);
    setColor(cr, color, alpha);
    spacedText(cr, x, y, text, spacing);
}

void selectFont(cairo_t* cr, const char* family, bool bold, double size)
{
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

// A sunken window: dark fill, shadow along the top edge, light along the bottom.
void recess(cairo_t* cr, double x, double y, double w, double h, double r)
{
    roundedRect(cr, x, y, w, h, r);
    cairo_set_source_rgb(cr, 0.035, 0.037, 0.04);
    cairo_fill(cr);
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    cairo_set_line_width(cr, 1.0);
    cairo_pattern_t* edge = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(edge, 0, 0, 0, 0, 0.9);
    cairo_pattern_add_color_stop_rgba(edge, 1, 1, 1, 1, 0.12);
    cairo_set_source(cr, edge);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);
}

void screw(cairo_t* cr, double cx, double cy, double angle)
{
    cairo_arc(cr, cx, cy + 0.8, 4.6, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    cairo_pattern_t* head = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 4.5);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.78, 0.77, 0.74);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.30, 0.30, 0.31);
    cairo_arc(cr, cx, cy, 4.2, 0, 2 * kPi);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_set_line_width(cr, 1.1);
    cairo_set_source_rgba(cr, 0.08, 0.08, 0.09, 0.9);
    cairo_move_to(cr, cx - 3.2 * std::cos(angle), cy - 3.2 * std::sin(angle));
    cairo_line_to(cr, cx + 3.2 * std::cos(angle), cy + 3.2 * std::sin(angle));
    cairo_stroke(cr);
}

// The scale printed around a knob: eleven marks, longer at both ends and the middle.
void knobScale(cairo_t* cr, double cx, double cy)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i <= 10; ++i)
    {
        const double a = kStartAngle + kTravel * i / 10.0;
        const bool major = i == 0 || i == 5 || i == 10;
        const double r0 = 35.5;
        const double r1 = major ? 40.5 : 38.5;
        cairo_set_line_width(cr, major ? 1.6 : 1.1);
        setColor(cr, kEngrave, major ? 0.85 : 0.55);
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        cairo_line_to(cr, cx + r1 * std::cos(a), cy + r1 * std::sin(a));
        cairo_stroke(cr);
    }
}

// A small arrowhead in the gap between two sections: the way the signal goes.
void flowArrow(cairo_t* cr, double cx, double cy)
{
    cairo_move_to(cr, cx - 3, cy - 5);
    cairo_line_to(cr, cx + 3, cy);
    cairo_line_to(cr, cx - 3, cy + 5);
    cairo_close_path(cr);
    setColor(cr, kEmber, 0.8);
    cairo_fill(cr);
}

bool writePng(cairo_surface_t* surface, const std::string& path)
{
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// ---- Background -----------------------------------------------------------

void drawHeader(cairo_t* cr, Grain& grain)
{
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, kHeaderHeight);
    cairo_pattern_add_color_stop_rgb(fill, 0, kHeaderTop.r, kHeaderTop.g, kHeaderTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, kHeaderBottom.r, kHeaderBottom.g, kHeaderBottom.b);
    cairo_rectangle(cr, 0, 0, kWidth, kHeaderHeight);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    brushedMetal(cr, 0, 0, kWidth, kHeaderHeight, grain, 0.018);

    // The ember stripe that closes the header.
    cairo_rectangle(cr, 0, kHeaderHeight - 3, kWidth, 3);
    setColor(cr, kEmber);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kHeaderHeight, kWidth, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_fill(cr);

    // Product name.
    selectFont(cr, "DejaVu Sans", true, 34);
    const double nameX = 26;
    const double nameY = 47;
    const std::string name = "FERRULITH";
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    spacedText(cr, nameX + 1, nameY + 2, name, 4.0);
    setColor(cr, kCream);
    spacedText(cr, nameX, nameY, name, 4.0);
    const double nameWidth = spacedWidth(cr, name, 4.0);

    // A short ember bar between the name and its line of description.
    cairo_rectangle(cr, nameX + nameWidth + 16, 26, 3, 24);
    setColor(cr, kEmber);
    cairo_fill(cr);

    selectFont(cr, "DejaVu Sans", true, 11);
    engravedText(cr, nameX + nameWidth + 30, 35, "STEREO DISTORTION", 2.2, kCream, 0.85);
    selectFont(cr, "DejaVu Sans", false, 10);
    engravedText(cr, nameX + nameWidth + 30, 50,
                 "drive \xC2\xB7 gate \xC2\xB7 tone \xC2\xB7 filter", 1.2, kEngrave, 0.8);

    // The preset selector's slot and caption.
    selectFont(cr, "DejaVu Sans", true, 10);
    const std::string caption = "PRESET";
    const double cw = spacedWidth(cr, caption, 2.0);
    engravedText(cr, kMenuX - 14 - cw, kMenuY + 17, caption, 2.0, kEngrave, 0.95);
    recess(cr, kMenuX - 3, kMenuY - 3, kMenuWidth + 6, kMenuHeight + 6, 5);

    // The drop-down arrow sits in the slot beside the menu, which fills the rest
    // of the slot in the slot's own colour (its list opens in that colour too).
    const double ax = kMenuX + kMenuWidth - kMenuArrowWidth / 2.0;
    const double ay = kMenuY + kMenuHeight / 2.0;
    cairo_move_to(cr, ax - 5, ay - 2.5);
    cairo_line_to(cr, ax + 5, ay - 2.5);
    cairo_line_to(cr, ax, ay + 3.5);
    cairo_close_path(cr);
    setColor(cr, kEmber);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_rectangle(cr, kMenuX + kMenuWidth - kMenuArrowWidth, kMenuY + 4, 1, kMenuHeight - 8);
    cairo_fill(cr);
}

void drawSection(cairo_t* cr, const Placed& p)
{
    const Section& s = *p.section;
    const double x = p.x;
    const double y = kSectionTop;
    const double w = sectionWidth(s);
    const double h = kSectionHeight;

    // A slightly lighter, sunken plate per group.
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 9);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(fill, 0, kWell.r, kWell.g, kWell.b, 0.95);
    cairo_pattern_add_color_stop_rgba(fill, 1, kWell.r * 0.8, kWell.g * 0.8, kWell.b * 0.8, 0.95);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_pattern_t* edge = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(edge, 0, 0, 0, 0, 0.85);
    cairo_pattern_add_color_stop_rgba(edge, 1, 1, 1, 1, 0.10);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source(cr, edge);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);

    // Group title, centred, with a rule on either side.
    selectFont(cr, "DejaVu Sans", true, 10.5);
    const double tw = spacedWidth(cr, s.title, 2.2);
    const double tx = x + (w - tw) / 2;
    const double ty = y + 22;
    engravedText(cr, tx, ty, s.title, 2.2, kEmber, 1.0);
    if (tx - 10 > x + 20)
    {
        cairo_set_line_width(cr, 1.0);
        setColor(cr, kEngrave, 0.35);
        cairo_move_to(cr, x + 14, ty - 3.5);
        cairo_line_to(cr, tx - 10, ty - 3.5);
        cairo_move_to(cr, tx + tw + 10, ty - 3.5);
        cairo_line_to(cr, x + w - 14, ty - 3.5);
        cairo_stroke(cr);
    }

    if (s.dividerAfter >= 0)
    {
        const double dx = columnLeft(p, s.dividerAfter + 1) + 0.5;
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_move_to(cr, dx - 1, y + 38);
        cairo_line_to(cr, dx - 1, y + h - 12);
        cairo_stroke(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
        cairo_move_to(cr, dx, y + 38);
        cairo_line_to(cr, dx, y + h - 12);
        cairo_stroke(cr);
    }

    for (size_t c = 0; c < s.controls.size(); ++c)
    {
        const double colX = columnLeft(p, static_cast<int>(c));
        const double cx = colX + kColumnWidth / 2.0;
        const double cy = y + kKnobRow + kKnobSize / 2.0;
        if (s.controls[c].kind == Kind::knob)
            knobScale(cr, cx, cy);
        recess(cr, cx - kValueWidth / 2.0 - 1, y + kValueRow - 1, kValueWidth + 2, kValueHeight + 2,
               4);
    }
}

bool drawBackground(const std::string& dir)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    Grain grain;

    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, kHeight);
    cairo_pattern_add_color_stop_rgb(fill, 0, kPanelTop.r, kPanelTop.g, kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, kPanelBottom.r, kPanelBottom.g, kPanelBottom.b);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    brushedMetal(cr, 0, kHeaderHeight, kWidth, kHeight - kHeaderHeight, grain, 0.03);

    drawHeader(cr, grain);

    const auto placed = placeSections();
    for (const auto& p : placed)
        drawSection(cr, p);
    for (size_t i = 0; i + 1 < placed.size(); ++i)
    {
        const double gapX = placed[i + 1].x - kSectionGap / 2.0;
        flowArrow(cr, gapX, kSectionTop + kKnobRow + kKnobSize / 2.0);
    }

    screw(cr, 9, kHeaderHeight + 9, 0.6);
    screw(cr, kWidth - 9, kHeaderHeight + 9, 2.1);
    screw(cr, 9, kHeight - 9, 1.2);
    screw(cr, kWidth - 9, kHeight - 9, 0.2);

    // Bevel around the whole panel.
    cairo_rectangle(cr, 0.5, 0.5, kWidth - 1, kHeight - 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    cairo_destroy(cr);
    const bool ok = writePng(surface, dir + "/background.png");
    cairo_surface_destroy(surface);
    return ok;
}

// ---- Knob -----------------------------------------------------------------

void drawKnobFrame(cairo_t* cr, double top, double value)
{
    const double cx = kKnobSize / 2.0;
    const double cy = top + kKnobSize / 2.0;
    const double angle = kStartAngle + kTravel * value;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // Value ring: a dark groove, lit in ember up to the current value.
    cairo_set_line_width(cr, 3.5);
    cairo_set_source_rgba(cr, 0.02, 0.02, 0.025, 0.95);
    cairo_arc(cr, cx, cy, 29, kStartAngle, kStartAngle + kTravel);
    cairo_stroke(cr);
    if (value > 0.0)
    {
        cairo_set_line_width(cr, 6.0);
        setColor(cr, kEmber, 0.22);
        cairo_arc(cr, cx, cy, 29, kStartAngle, angle);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2.6);
        setColor(cr, kEmber, 1.0);
        cairo_arc(cr, cx, cy, 29, kStartAngle, angle);
        cairo_stroke(cr);
    }

    // Soft shadow under the knob.
    for (int i = 4; i >= 1; --i)
    {
        cairo_arc(cr, cx, cy + 2.5, 22 + i, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_fill(cr);
    }

    // Knurled skirt.
    cairo_arc(cr, cx, cy, 23, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 0.07, 0.072, 0.08);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int i = 0; i < 48; ++i)
    {
        const double a = angle + 2 * kPi * i / 48.0;
        const double shade = 0.5 + 0.5 * std::cos(a + 0.75 * kPi); // lit from the upper left
        cairo_set_source_rgba(cr, 1, 1, 1, 0.05 + 0.16 * shade);
        cairo_move_to(cr, cx + 19.5 * std::cos(a), cy + 19.5 * std::sin(a));
        cairo_line_to(cr, cx + 22.5 * std::cos(a), cy + 22.5 * std::sin(a));
        cairo_stroke(cr);
    }

    // Cap: brushed aluminium-dark, lit from the upper left.
    cairo_pattern_t* cap = cairo_pattern_create_linear(cx - 18, cy - 18, cx + 18, cy + 18);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.36, 0.36, 0.38);
    cairo_pattern_add_color_stop_rgb(cap, 0.5, 0.19, 0.195, 0.21);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.10, 0.10, 0.11);
    cairo_arc(cr, cx, cy, 18.5, 0, 2 * kPi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_pattern_t* sheen = cairo_pattern_create_radial(cx - 6, cy - 7, 1, cx, cy, 18.5);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_arc(cr, cx, cy, 18.5, 0, 2 * kPi);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    cairo_arc(cr, cx, cy, 18.5, 0, 2 * kPi);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_stroke(cr);

    // Pointer.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.0);
    setColor(cr, kCream);
    cairo_move_to(cr, cx + 7 * std::cos(angle), cy + 7 * std::sin(angle));
    cairo_line_to(cr, cx + 17 * std::cos(angle), cy + 17 * std::sin(angle));
    cairo_stroke(cr);
}

bool drawKnob(const std::string& dir)
{
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kKnobSize, kKnobSize * kKnobFrames);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < kKnobFrames; ++i)
        drawKnobFrame(cr, i * kKnobSize, i / double(kKnobFrames - 1));
    cairo_destroy(cr);
    const bool ok = writePng(surface, dir + "/knob.png");
    cairo_surface_destroy(surface);
    return ok;
}

// ---- Bypass switch --------------------------------------------------------

// A foot switch with a lamp above it; the lamp lights while the effect is bypassed.
void drawBypassState(cairo_t* cr, double top, bool on)
{
    const double cx = kKnobSize / 2.0;

    const double ly = top + 9;
    if (on)
    {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, ly, 1, cx, ly, 10);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.45, 0.15, 0.6);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.45, 0.15, 0.0);
        cairo_arc(cr, cx, ly, 10, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, ly, 4.5, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_fill(cr);
    cairo_pattern_t* lamp = cairo_pattern_create_radial(cx - 1, ly - 1, 0.5, cx, ly, 3.8);
    if (on)
    {
        cairo_pattern_add_color_stop_rgb(lamp, 0, 1.0, 0.85, 0.6);
        cairo_pattern_add_color_stop_rgb(lamp, 1, 0.95, 0.35, 0.1);
    }
    else
    {
        cairo_pattern_add_color_stop_rgb(lamp, 0, 0.35, 0.16, 0.1);
        cairo_pattern_add_color_stop_rgb(lamp, 1, 0.16, 0.06, 0.04);
    }
    cairo_arc(cr, cx, ly, 3.6, 0, 2 * kPi);
    cairo_set_source(cr, lamp);
    cairo_fill(cr);
    cairo_pattern_destroy(lamp);

    // Hexagonal nut.
    const double cy = top + 39;
    for (int i = 3; i >= 1; --i)
    {
        cairo_arc(cr, cx, cy + 2, 19 + i, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.14);
        cairo_fill(cr);
    }
    for (int i = 0; i < 6; ++i)
    {
        const double a = kPi / 6 + i * kPi / 3;
        if (i == 0)
            cairo_move_to(cr, cx + 20 * std::cos(a), cy + 20 * std::sin(a));
        else
            cairo_line_to(cr, cx + 20 * std::cos(a), cy + 20 * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* nut = cairo_pattern_create_linear(cx - 20, cy - 20, cx + 20, cy + 20);
    cairo_pattern_add_color_stop_rgb(nut, 0, 0.78, 0.78, 0.76);
    cairo_pattern_add_color_stop_rgb(nut, 0.55, 0.45, 0.45, 0.46);
    cairo_pattern_add_color_stop_rgb(nut, 1, 0.22, 0.22, 0.23);
    cairo_set_source(cr, nut);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(nut);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_stroke(cr);

    // Plunger: pressed in, it sits lower and darker.
    const double r = on ? 10.5 : 12.0;
    const double py = cy + (on ? 1.0 : 0.0);
    cairo_arc(cr, cx, py + 1.5, r + 1, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_fill(cr);
    cairo_pattern_t* plunger = cairo_pattern_create_radial(cx - 4, py - 5, 1, cx, py, r);
    const double lift = on ? 0.75 : 1.0;
    cairo_pattern_add_color_stop_rgb(plunger, 0, 0.95 * lift, 0.95 * lift, 0.93 * lift);
    cairo_pattern_add_color_stop_rgb(plunger, 0.7, 0.55 * lift, 0.55 * lift, 0.56 * lift);
    cairo_pattern_add_color_stop_rgb(plunger, 1, 0.3 * lift, 0.3 * lift, 0.31 * lift);
    cairo_arc(cr, cx, py, r, 0, 2 * kPi);
    cairo_set_source(cr, plunger);
    cairo_fill(cr);
    cairo_pattern_destroy(plunger);
}

bool drawBypass(const std::string& dir)
{
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kKnobSize, 2 * kKnobSize);
    cairo_t* cr = cairo_create(surface);
    drawBypassState(cr, 0, false);
    drawBypassState(cr, kKnobSize, true);
    cairo_destroy(cr);
    const bool ok = writePng(surface, dir + "/bypass.png");
    cairo_surface_destroy(surface);
    return ok;
}

// ---- UI description -------------------------------------------------------

std::string xy(int a, int b)
{
    return std::to_string(a) + ", " + std::to_string(b);
}

bool writeDescription(const std::string& dir)
{
    std::ofstream out(dir + "/ferrulitheditor.uidesc");
    const std::string size = xy(kWidth, kHeight);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!-- Written by resource/tools/make_images.cpp together with the images. -->\n"
           "<vstgui-ui-description version=\"1\">\n"
           "  <bitmaps>\n"
           "    <bitmap name=\"background\" path=\"background.png\"/>\n"
           "    <bitmap name=\"knob\" path=\"knob.png\"/>\n"
           "    <bitmap name=\"bypass\" path=\"bypass.png\"/>\n"
           "  </bitmaps>\n"
           "  <fonts>\n"
           "    <font name=\"title\" font-name=\"DejaVu Sans\" size=\"11\" bold=\"true\"/>\n"
           "    <font name=\"value\" font-name=\"DejaVu Sans Mono\" size=\"12\" bold=\"true\"/>\n"
           "    <font name=\"menu\" font-name=\"DejaVu Sans\" size=\"12\" bold=\"true\"/>\n"
           "  </fonts>\n"
           "  <colors>\n"
           "    <color name=\"ink\" rgba=\"#ece4d0ff\"/>\n"
           "    <color name=\"readout\" rgba=\"#ffb25cff\"/>\n"
           "    <color name=\"slot\" rgba=\"#090a0aff\"/>\n"
           "  </colors>\n"
           "  <control-tags>\n";
    for (int i = 0; i < 10; ++i)
        out << "    <control-tag name=\"" << kTags[i] << "\" tag=\"" << i << "\"/>\n";
    out << "  </control-tags>\n";
    out << "  <template name=\"view\" class=\"CViewContainer\" origin=\"0, 0\" size=\"" << size
        << "\" minSize=\"" << size << "\" maxSize=\"" << size
        << "\" bitmap=\"background\" background-color=\"#1d1e21ff\">\n";
    out << "    <view class=\"COptionMenu\" origin=\"" << xy(kMenuX, kMenuY) << "\" size=\""
        << xy(kMenuWidth - kMenuArrowWidth, kMenuHeight)
        << "\" control-tag=\"Presets\" font=\"menu\" font-color=\"ink\" back-color=\"slot\" "
           "frame-color=\"slot\"/>\n";

    for (const auto& p : placeSections())
    {
        const Section& s = *p.section;
        for (size_t c = 0; c < s.controls.size(); ++c)
        {
            const Control& ctl = s.controls[c];
            const int colX = columnLeft(p, static_cast<int>(c));
            const int knobX = colX + (kColumnWidth - kKnobSize) / 2;
            const int valueX = colX + (kColumnWidth - kValueWidth) / 2;
            out << "    <!-- " << ctl.tag << " -->\n";
            out << "    <view class=\"CTextLabel\" origin=\"" << xy(colX, kSectionTop + kTitleRow)
                << "\" size=\"" << xy(kColumnWidth, kTitleHeight) << "\" title=\"" << ctl.tag
                << "\" font=\"title\" font-color=\"ink\" transparent=\"true\" "
                   "text-alignment=\"center\" style-no-frame=\"true\"/>\n";
            if (ctl.kind == Kind::knob)
                out << "    <view class=\"CAnimKnob\" origin=\""
                    << xy(knobX, kSectionTop + kKnobRow) << "\" size=\"" << xy(kKnobSize, kKnobSize)
                    << "\" control-tag=\"" << ctl.tag << "\" bitmap=\"knob\" height-of-one-image=\""
                    << kKnobSize << "\" sub-pixmaps=\"" << kKnobFrames << "\"/>\n";
            else
                out << "    <view class=\"COnOffButton\" origin=\""
                    << xy(knobX, kSectionTop + kKnobRow) << "\" size=\"" << xy(kKnobSize, kKnobSize)
                    << "\" control-tag=\"" << ctl.tag << "\" bitmap=\"bypass\"/>\n";
            out << "    <view class=\"CParamDisplay\" origin=\""
                << xy(valueX, kSectionTop + kValueRow) << "\" size=\""
                << xy(kValueWidth, kValueHeight) << "\" control-tag=\"" << ctl.tag
                << "\" font=\"value\" font-color=\"readout\" transparent=\"true\" "
                   "text-alignment=\"center\" style-no-frame=\"true\"/>\n";
        }
    }
    out << "  </template>\n</vstgui-ui-description>\n";
    out.close();
    if (!out)
    {
        std::fprintf(stderr, "cannot write %s/ferrulitheditor.uidesc\n", dir.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <resource folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok =
        drawBackground(dir) && drawKnob(dir) && drawBypass(dir) && writeDescription(dir);
    return ok ? 0 : 1;
}
