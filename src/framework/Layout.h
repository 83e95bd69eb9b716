// A window's layout as data: one row per control, applied by the framework when the window is built.
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

// Label alignment codes.
enum { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

struct ControlSpec {
    const char* name;
    Kind kind;
    int left, top, width, height;
    const char* text; // text or caption
    const char* font; // "System" is the platform's font
    int size;         // points; 0 keeps the default size
    bool bold;
    int align;          // labels: AlignLeft, AlignCenter, AlignRight
    const char* colour; // text colour of labels, "#RRGGBB" or ""
    bool visible;
    bool isDefault; // push buttons: the button that Return presses
    int tabIndex;   // keyboard order; -1 takes no part
    // Kind-specific settings, "key=value" pairs separated by ";": Listbox columns, widths, heading
    // (names separated by "|"), grid, hscroll, vscroll; Label multiline; PushButton cancel;
    // TextArea readonly; ProgressBar max; DisclosureTriangle value.
    const char* options = "";
};

struct WindowSpec {
    enum Frame { Document = 0, MovableModal = 1 };
    const char* title;
    int width, height; // the content area; the menu bar is outside it
    Frame frame;
    bool closeButton, minimizeButton, maximizeButton, resizeable;
    bool visible; // shows the moment it is created
};

struct TimerSpec {
    const char* name;
    int period; // milliseconds
};

} // namespace fw
