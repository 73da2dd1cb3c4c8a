#pragma once
// Start-up of the Qt side of the platform: the font aliases and the font engine.

namespace quarlo {

// Loads the shipped font aliases (unless the user installed them) so the faces reports
// name resolve to installed faces, and makes the Qt font engine the process-wide one.
// Call once after the QGuiApplication exists; later calls do nothing.
void InstallQtPlatform();

// Where the shipped aliases were found (empty when none was found).
const char* FontAliasesPath();

}  // namespace quarlo
