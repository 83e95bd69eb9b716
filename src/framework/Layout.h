// A window's layout as data: one row per control, built into Qt widgets by fw::Form.
#pragma once

namespace fw {

enum class Kind {
    Label,
    PushButton,
    Listbox,
    ComboBox,
    TextField,
    TextArea,
    ProgressBar,
    DisclosureTriangle,
    Separator
};

enum class Align { Left, Center, Right };

// The settings of one kind of control; a row names only those it changes: {.columns = 2, ...}.
struct Options {
    int columns = 1;             // Listbox
    int widths[2] = {};          // Listbox: percent of the list's width per column; 0 shares equally
    const char* heading[2] = {}; // Listbox: column headings; none shows no header
    bool hscroll = false;        // Listbox
    bool vscroll = true;         // Listbox
    bool grid = true;            // Listbox
    bool multiline = false;      // Label: the text wraps
    int maximum = 100;           // ProgressBar; 0 is indeterminate
    bool open = true;            // DisclosureTriangle
};

struct ControlSpec {
    const char* name; // the control's objectName and the window's member name
    Kind kind;
    int left, top, width, height;
    const char* text; // text or caption
    const char* font; // "System" is the application's font
    int size;         // pixels; 0 keeps the default size
    bool bold;
    Align align;        // labels
    const char* colour; // text colour of labels, "#RRGGBB" or ""
    bool visible;
    bool isDefault; // push buttons: the button that Return presses
    int tabIndex;   // keyboard order; -1 takes no part
    Options options = {};
};

struct WindowSpec {
    enum Frame { Document = 0, MovableModal = 1 };
    const char* title;
    int width, height; // the content area; the menu bar is outside it
    Frame frame;
    bool closeButton, minimizeButton, maximizeButton, resizeable;
    bool visible; // shows the moment it is created
};

} // namespace fw
