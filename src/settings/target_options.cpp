#include "settings/target_options.h"

#include "settings/load_save.h"
#include "settings/settings_keys.h"

namespace kestro {
namespace {

void writeHostFlag(Kestro& k, Services& s) {
    s.profile.write(keys::kSettings, keys::kHostFlagWrite, k.Option1 ? "True" : "False");
}

}  // namespace

void Option1_Click(Kestro& k, Services& s) {
    k.Option1 = true;
    k.Option2 = false;
    k.txtapp.enabled = false;
    writeHostFlag(k, s);
    loadsettings(k, s);
}

void Option2_Click(Kestro& k, Services& s) {
    k.Option1 = false;
    k.Option2 = true;
    k.txtapp.enabled = true;
    writeHostFlag(k, s);
    loadsettings(k, s);
}

void Check1_Click(Kestro& k, Services& s) {
    s.profile.write(keys::kSettings, keys::kStartHidden, k.Check1 == 0 ? "False" : "True");
}

void setOption1(Kestro& k, Services& s, bool value) {
    if (k.Option1 == value) return;
    k.Option1 = value;
    if (!value) return;
    k.Option2 = false;
    Option1_Click(k, s);
}

void setOption2(Kestro& k, Services& s, bool value) {
    if (k.Option2 == value) return;
    k.Option2 = value;
    if (!value) return;
    k.Option1 = false;
    Option2_Click(k, s);
}

void setCheck1(Kestro& k, Services& s, int value) {
    if (k.Check1 == value) return;
    k.Check1 = value;
    Check1_Click(k, s);
}

}  // namespace kestro
