// The dialog templates of the library's panels, as data: a panel toolkit builds its pages from
// them. Positions and sizes are in dialog units.
#pragma once

#include <span>
#include <string_view>

enum class ControlKind {
    Label,
    GroupBox,
    CheckBox,
    // The host's custom controls.
    CustButton,
    CustStatus,
    CustEdit,
    SpinnerControl,
    // A static picture showing a bitmap resource.
    Picture,
};

struct DialogControl {
    ControlKind kind;
    int id;
    std::string_view caption;
    int x, y, width, height;
    // The bitmap resource of a picture, else 0.
    int bitmap = 0;
};

struct DialogTemplate {
    int id;
    int width, height;
    std::span<const DialogControl> controls;
};

// The template `id`, or null when the library has none.
const DialogTemplate* FindDialogTemplate(int id);

// Every template, ordered by id.
std::span<const DialogTemplate> DialogTemplates();
