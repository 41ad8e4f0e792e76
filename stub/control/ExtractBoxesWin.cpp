#include "stub/control/ExtractBoxesWin.h"

#include "stub/package/ExtractEngine.h"
#include "stub/services/DMsgBox.h"

namespace stub {

namespace {

// The disk prompt is an OK/Cancel question (true: OK); the error boxes have OK only. No owner.
bool ShowWithStubBox(const ExtractBox& box)
{
    if (box.kind == ExtractBoxKind::DiskPrompt)
        return ConfirmOkCancel(kBoxModeHeading, box.text, box.caption, box.buttons, box.charset);
    ErrorBox(kBoxModeHeading, box.text, box.caption, box.buttons, box.charset);
    return true;
}

} // namespace

void UseStubBoxesForExtraction()
{
    SetExtractBoxHook(ShowWithStubBox);
}

} // namespace stub
