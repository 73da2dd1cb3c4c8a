#pragma once
// Qt's own diagnostics in quarlo-cli.

namespace quarlo::cli {

// Routes Qt's messages through our handler: its warnings about the environment
// ("XDG_RUNTIME_DIR not set", a painter that could not begin) are not the user's
// business and stay off standard error, which is silent on success; a critical or
// fatal message still reaches it, prefixed with the program's name.
void InstallQtMessageHandler();

}  // namespace quarlo::cli
