#include "variant_folder.h"

#include <windows.h>

#include <utility>

#include "common/files.h"
#include "common/text.h"

namespace e2e::measure {
namespace {

// Hidden at start, host mode, polling the controller named "Pad" once found; no
// "no controller chosen" message box because one is named.
constexpr char kSettings[] = "[settings]\r\nkestro=Pad\r\nmin=True\r\nnorepeat=\r\n";

std::string padScript(bool firstButtonDown) {
    return std::string("# kestro_measure: one pad, centred, button 0 ") + (firstButtonDown ? "down" : "up") +
           "\ndevice {6D1C5A2E-3B4F-4A8D-9E07-2F81C4B3A690} 32768 32768 " + (firstButtonDown ? "1" : "0") + " Pad\n";
}

}  // namespace

VariantFolder::VariantFolder(std::wstring folder, const std::wstring& program)
    : folder_(std::move(folder)), program_(program) {}

std::wstring VariantFolder::programCopy() const {
    return joinPath(folder_, fileNameOf(program_));
}
std::wstring VariantFolder::dinputLog() const {
    return joinPath(folder_, L"dinput_log.txt");
}
std::wstring VariantFolder::hostLog() const {
    return joinPath(folder_, L"host_log.txt");
}

bool VariantFolder::fail(const std::string& what) {
    problem_ = what + " (error " + std::to_string(GetLastError()) + ")";
    return false;
}

bool VariantFolder::prepare(const std::wstring& standinsFolder) {
    if (!makeFolders(folder_)) return fail("cannot create " + narrow(folder_));
    if (!CopyFileW(program_.c_str(), programCopy().c_str(), FALSE)) return fail("cannot copy " + narrow(program_));
    const std::wstring dll = joinPath(standinsFolder, L"dinput8.dll");
    if (!CopyFileW(dll.c_str(), joinPath(folder_, L"dinput8.dll").c_str(), FALSE))
        return fail("cannot copy " + narrow(dll));
    if (!writeFile(joinPath(folder_, L"settings.ini"), kSettings)) return fail("cannot write settings.ini");
    if (!setButtonDown(false)) return fail("cannot write dinput_script.txt");
    return true;
}

bool VariantFolder::setButtonDown(bool down) {
    return replaceFile(joinPath(folder_, L"dinput_script.txt"), padScript(down));
}

}  // namespace e2e::measure
