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
    void (*run)(Kestro&, Services&, const ControlEvent&);
};

constexpr Handler kHandlers[] = {
    {"Option1", ControlAction::Click, [](Kestro& k, Services& s, const ControlEvent&) { setOption1(k, s, true); }},
    {"Option2", ControlAction::Click, [](Kestro& k, Services& s, const ControlEvent&) { setOption2(k, s, true); }},
    {"Check1", ControlAction::CheckChanged,
     [](Kestro& k, Services& s, const ControlEvent& e) { setCheck1(k, s, e.value != 0 ? 1 : 0); }},
    {"Command1", ControlAction::Click, [](Kestro&, Services& s, const ControlEvent&) { Command1_Click(s); }},
    {"cmsave", ControlAction::Click, [](Kestro& k, Services& s, const ControlEvent&) { cmsave_Click(k, s); }},
    {"Combo2", ControlAction::TextChanged, [](Kestro& k, Services& s, const ControlEvent&) { Combo2_Change(k, s); }},
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

void onControlEvent(Kestro& k, Services& s, std::string_view control, const ControlEvent& event) {
    updateState(bindingFor(k, control), event);
    for (const Handler& h : kHandlers)
        if (h.control == control && h.action == event.action) h.run(k, s, event);
}

}  // namespace kestro
