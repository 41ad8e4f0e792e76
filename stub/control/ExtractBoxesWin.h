// The extraction engine's disk prompt and error boxes shown with the stub's own message box.
#pragma once

namespace stub {

// Plugs the stub's boxes into the engine's box hook; the program entry calls it once.
void UseStubBoxesForExtraction();

} // namespace stub
