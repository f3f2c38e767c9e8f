#include "platform/screen_reader.h"

#include <oleacc.h>

#include <string>

namespace platform {
namespace {

// Screen readers are rare visitors: oleacc and the OLE libraries behind it are loaded on the
// first request for an accessible object, not at start-up, where they would cost every user.
struct AccessibilityLibrary {
    decltype(&CreateStdAccessibleObject) create_standard_object = nullptr;
    decltype(&LresultFromObject) result_from_object = nullptr;
    decltype(&SysAllocStringLen) allocate_string = nullptr;
};

template <typename Function>
Function exported(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

const AccessibilityLibrary* accessibility_library() {
    static const AccessibilityLibrary library{
        exported<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject"),
        exported<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
        exported<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen"),
    };
    const bool complete =
        library.create_standard_object && library.result_from_object && library.allocate_string;
    return complete ? &library : nullptr;
}

// The ids as Windows' SDK gives them. MinGW's headers lack the live setting, and its import
// library's ids are not the interfaces' when linked statically (IID_IAccessible was wrong; below,
// __uuidof reads that one from the interface's declaration).
constexpr GUID kAccPropServicesClass{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
// LiveSetting's Polite (uiautomationcore.h): read out once the user is idle.
constexpr long kPolite = 1;

// The system's annotation service, made at the first live text: COM starts on the window's thread
// then, not at start-up. Null where it cannot be made.
IAccPropServices* annotation_services() {
    static IAccPropServices* const services = [] {
        const auto initialise = exported<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        const auto create = exported<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        void* made = nullptr;
        if (initialise && create) {
            initialise(nullptr, COINIT_APARTMENTTHREADED);
            create(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                   &made);
        }
        return static_cast<IAccPropServices*>(made);
    }();
    return services;
}

// The system's accessible object for the control, with every call passed on to it but the name.
// Windows could set the name by annotation (IAccPropServices::SetHwndPropStr), but Wine answers
// E_NOTIMPL to it: a forwarding object works on both.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* inner, std::wstring_view name, const AccessibilityLibrary& library)
        : inner_(inner), name_(name), library_(library) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
            IsEqualIID(riid, __uuidof(IAccessible))) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long remaining = --references_;
        if (remaining == 0) {
            delete this;
        }
        return static_cast<ULONG>(remaining);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override {
        return inner_->Invoke(id, riid, locale, flags, params, result, exception, argument_error);
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && name) {
            *name = library_.allocate_string(name_.data(), static_cast<UINT>(name_.size()));
            return *name ? S_OK : E_OUTOFMEMORY;
        }
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return inner_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
        return inner_->get_accChild(child, result);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return inner_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return inner_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return inner_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return inner_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return inner_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return inner_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return inner_->put_accValue(child, value);
    }

  private:
    ~NamedAccessible() { inner_->Release(); }

    IAccessible* inner_;
    std::wstring name_;
    const AccessibilityLibrary& library_;
    long references_ = 1;
};

}  // namespace

LRESULT accessible_object_with_name(HWND control, WPARAM wparam, std::wstring_view name) {
    const AccessibilityLibrary* library = accessibility_library();
    IAccessible* standard = nullptr;
    if (!library ||
        FAILED(library->create_standard_object(control, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(standard, name, *library);
    const LRESULT result = library->result_from_object(__uuidof(IAccessible), wparam, named);
    named->Release();  // LresultFromObject holds its own reference
    return result < 0 ? 0 : result;
}

void announce_live_text(HWND control) {
    // Set again at each change rather than remembered per control: once the service is made, it
    // costs one call. Wine answers E_NOTIMPL; the event then goes out alone.
    if (IAccPropServices* services = annotation_services()) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        services->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, polite);
    }
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace platform
