#include "platform/runtime/project.h"

#include <commctrl.h>

#include <vector>

#include "platform/runtime/application.h"

namespace rt {

int run_project(HINSTANCE instance, const ProjectDescription& project) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    std::vector<const FormDef*> forms;
    for (const ProjectObject& object : project.objects) {
        if (object.kind == ObjectKind::Form && object.form) {
            forms.push_back(object.form);
        }
    }
    Win32Application application(instance, forms);
    return application.run(project.startup_form);
}

}  // namespace rt
