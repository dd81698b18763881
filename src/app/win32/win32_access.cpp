// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's accessible names: each control's name and description become MSAA
// annotations (IAccPropServices::SetHwndPropStr), which a screen reader reads in place of the
// text of the static created before a field. ole32 is looked up at run time, so the exe
// imports nothing beyond the system's user-interface libraries; without COM or the service
// the controls keep the names Windows gives them. Which name a control gets is the program's.
#include "app/win32/win32_ui.h"
// ole2.h and oleacc.h need the types of windows.h first.
#include <ole2.h>
#include <oleacc.h>

namespace {

// The identifiers of oleacc.h, written out so that no import library is linked for them.
constexpr CLSID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID AccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID NameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr MSAAPROPID DescriptionProperty = {
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
using CoUninitializeFunction = void(WINAPI*)();

struct ComFunctions {
    CoInitializeExFunction initialize = nullptr;
    CoCreateInstanceFunction create = nullptr;
    CoUninitializeFunction uninitialize = nullptr;
};

const ComFunctions& LookUpCom() {
    static const ComFunctions functions = [] {
        ComFunctions found;
        found.initialize = SystemFunction<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx");
        found.create = SystemFunction<CoCreateInstanceFunction>(L"ole32.dll", "CoCreateInstance");
        found.uninitialize = SystemFunction<CoUninitializeFunction>(L"ole32.dll", "CoUninitialize");
        if (found.initialize == nullptr || found.create == nullptr ||
            found.uninitialize == nullptr) {
            return ComFunctions();
        }
        return found;
    }();
    return functions;
}

}  // namespace

bool Win32Ui::StartAnnotations() {
    if (annotations_ != nullptr) return true;
    if (annotationsTried_) return false;
    annotationsTried_ = true;
    const ComFunctions& com = LookUpCom();
    if (com.initialize == nullptr) return false;
    // S_FALSE: COM was already started on this thread; it still needs its own uninitialise.
    const HRESULT started = com.initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(started)) return false;
    comStarted_ = true;
    void* service = nullptr;
    if (FAILED(com.create(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                          AccPropServicesInterface, &service)) ||
        service == nullptr) {
        return false;
    }
    annotations_ = static_cast<IAccPropServices*>(service);
    return true;
}

void Win32Ui::ClearAnnotations() {
    if (annotations_ == nullptr) return;
    const MSAAPROPID properties[] = {NameProperty, DescriptionProperty};
    for (HWND window : annotated_) {
        annotations_->ClearHwndProps(window, DWORD(OBJID_CLIENT), CHILDID_SELF, properties, 2);
    }
    annotated_.clear();
}

void Win32Ui::EndAnnotations() {
    ClearAnnotations();
    if (annotations_ != nullptr) annotations_->Release();
    annotations_ = nullptr;
    if (comStarted_) LookUpCom().uninitialize();
    comStarted_ = false;
    annotationsTried_ = false;
}

void Win32Ui::DoSetAccessibleText(int id, const AccessibleText& text) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr || !StartAnnotations()) return;
    // The label beside a field needs no link here: the annotated name already says it. A
    // property the service refuses stays as Windows gives it; clearing it later is harmless.
    if (text.name.empty() && text.description.empty()) return;
    if (!text.name.empty()) {
        annotations_->SetHwndPropStr(control->window, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                     NameProperty, WideText(text.name));
    }
    if (!text.description.empty()) {
        annotations_->SetHwndPropStr(control->window, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                     DescriptionProperty, WideText(text.description));
    }
    annotated_.push_back(control->window);
}
