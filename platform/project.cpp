#include "platform/project.h"

#include "ui/frmabout/frmabout.h"
#include "ui/frmmain/frmmain.h"

namespace quenlow {
namespace {

constexpr rt::ProjectObject kObjects[] = {
    {L"frmmain", rt::ObjectKind::Form, &frmmain::kForm},
    {L"frmabout", rt::ObjectKind::Form, &frmabout::kForm},
    {L"Module1", rt::ObjectKind::CodeModule},
};

}  // namespace

const rt::ProjectDescription kProject{
    .name = L"Project1",
    .title = L"Quenlow",
    .objects = kObjects,
    .startup_form = L"frmmain",
    .threading = rt::Threading::Single,
};

}  // namespace quenlow
