#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "platform/runtime/form_definition.h"

namespace rt {

enum class ObjectKind { Form, CodeModule };
enum class Threading { Single };

struct ProjectObject {
    std::wstring_view name;
    ObjectKind kind;
    const FormDef* form = nullptr;  // for forms
};

// The one static description of the program that the entry point hands to the run time.
struct ProjectDescription {
    std::wstring_view name;
    std::wstring_view title;
    std::span<const ProjectObject> objects;
    std::wstring_view startup_form;
    Threading threading;
};

// Starts the run time on the project: shows the startup form and returns when no form is loaded.
int run_project(HINSTANCE instance, const ProjectDescription& project);

}  // namespace rt
