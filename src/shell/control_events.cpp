#include "shell/control_events.h"

#include "controller/discovery.h"
#include "settings/load_save.h"
#include "shell/control_bindings.h"
#include "shell/window_events.h"

namespace kestro {
namespace {

// The window's handler table.
struct Handler {
    std::string_view control;
    ControlAction action;
    void (*run)(WindowState&, Services&, const ControlEvent&);
};

using State = WindowState;
using Event = ControlEvent;
constexpr Handler kHandlers[] = {
    {"hostOption", ControlAction::Click, [](State& state, Services& s, const Event&) { chooseHostMode(state, s); }},
    {"keystrokeOption", ControlAction::Click,
     [](State& state, Services& s, const Event&) { chooseKeystrokeMode(state, s); }},
    {"startHiddenBox", ControlAction::CheckChanged,
     [](State& state, Services& s, const Event& e) {
         if (!setStartHidden(state, s, e.value != 0)) reportFailedWrite(state, s);
     }},
    {"minimizeButton", ControlAction::Click, [](State&, Services& s, const Event&) { onMinimizeClicked(s); }},
    {"saveButton", ControlAction::Click, [](State& state, Services& s, const Event&) { onSaveClicked(state, s); }},
    {"controllerBox", ControlAction::TextChanged,
     [](State& state, Services& s, const Event&) {
         if (!onControllerBoxEdited(state, s)) reportFailedWrite(state, s);
     }},
};

void updateState(const ControlBinding& b, const ControlEvent& e) {
    if (e.action == ControlAction::TextChanged) {
        if (b.text) b.text->text = e.text;
        if (b.combo) {
            b.combo->text = e.text;
            b.combo->listIndex = -1;
        }
    } else if (e.action == ControlAction::SelectionChanged && b.combo) {
        if (e.value >= 0 && static_cast<std::size_t>(e.value) < b.combo->list.size()) b.combo->select(e.value);
    }
}

}  // namespace

void onControlEvent(WindowState& state, Services& s, std::string_view control, const ControlEvent& event) {
    updateState(bindingFor(state, control), event);
    for (const Handler& h : kHandlers)
        if (h.control == control && h.action == event.action) h.run(state, s, event);
}

}  // namespace kestro
