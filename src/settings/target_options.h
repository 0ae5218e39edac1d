#pragma once
#include "core/kestro_state.h"
#include "platform/services.h"

namespace kestro {

// Click handlers of the target options and the start-hidden check box.
void Option1_Click(Kestro& k, Services& s);  // host mode
void Option2_Click(Kestro& k, Services& s);  // keystroke mode
void Check1_Click(Kestro& k, Services& s);   // start hidden

// Setting a control from code runs its click handler as a user click does:
// an option button set to true while it was false, the check box set to a
// different value. The two option buttons form one group.
void setOption1(Kestro& k, Services& s, bool value);
void setOption2(Kestro& k, Services& s, bool value);
void setCheck1(Kestro& k, Services& s, int value);

}  // namespace kestro
