#pragma once
// The ANSI and wide flavours of the DirectInput 8 interfaces differ only in the types
// below, so one template implements both.

#include <dinput.h>

namespace dinput_standin {

struct AnsiApi {
    using DirectInput = IDirectInput8A;
    using Device = IDirectInputDevice8A;
    using DeviceInstance = DIDEVICEINSTANCEA;
    using EnumDevicesCallback = LPDIENUMDEVICESCALLBACKA;
    using EnumObjectsCallback = LPDIENUMDEVICEOBJECTSCALLBACKA;
    using EnumEffectsCallback = LPDIENUMEFFECTSCALLBACKA;
    using SemanticsCallback = LPDIENUMDEVICESBYSEMANTICSCBA;
    using ObjectInstancePtr = LPDIDEVICEOBJECTINSTANCEA;
    using DeviceInstancePtr = LPDIDEVICEINSTANCEA;
    using EffectInfoPtr = LPDIEFFECTINFOA;
    using ActionFormatPtr = LPDIACTIONFORMATA;
    using ImageInfoHeaderPtr = LPDIDEVICEIMAGEINFOHEADERA;
    using ConfigureParamsPtr = LPDICONFIGUREDEVICESPARAMSA;
    using Text = LPCSTR;
    static constexpr const char* label = "A";
    static const IID& direct_input_iid() { return IID_IDirectInput8A; }
    static const IID& device_iid() { return IID_IDirectInputDevice8A; }
};

struct WideApi {
    using DirectInput = IDirectInput8W;
    using Device = IDirectInputDevice8W;
    using DeviceInstance = DIDEVICEINSTANCEW;
    using EnumDevicesCallback = LPDIENUMDEVICESCALLBACKW;
    using EnumObjectsCallback = LPDIENUMDEVICEOBJECTSCALLBACKW;
    using EnumEffectsCallback = LPDIENUMEFFECTSCALLBACKW;
    using SemanticsCallback = LPDIENUMDEVICESBYSEMANTICSCBW;
    using ObjectInstancePtr = LPDIDEVICEOBJECTINSTANCEW;
    using DeviceInstancePtr = LPDIDEVICEINSTANCEW;
    using EffectInfoPtr = LPDIEFFECTINFOW;
    using ActionFormatPtr = LPDIACTIONFORMATW;
    using ImageInfoHeaderPtr = LPDIDEVICEIMAGEINFOHEADERW;
    using ConfigureParamsPtr = LPDICONFIGUREDEVICESPARAMSW;
    using Text = LPCWSTR;
    static constexpr const char* label = "W";
    static const IID& direct_input_iid() { return IID_IDirectInput8W; }
    static const IID& device_iid() { return IID_IDirectInputDevice8W; }
};

}  // namespace dinput_standin
