// quarlo-cli: the command-line companion of the viewer, for scripts and servers.
// Verbs register themselves (cli_verbs.h); this file only sets up what they need.
#include <QApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/cli_qt_messages.h"
#include "app/cli/cli_verbs.h"
#include "platform/qt/qt_platform.h"
#include "print/qt/desktop_print_services.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const quarlo::cli::Verb* verb = args.empty() ? nullptr : quarlo::cli::FindVerb(args[0]);
  // Before Qt says anything: standard error carries our own messages only.
  quarlo::cli::InstallQtMessageHandler();
  std::unique_ptr<QApplication> app;
  if (verb && verb->needsGui) {
    // Drawing needs no screen: stay off any display unless the caller chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
    quarlo::InstallQtPlatform();
    // The store's PrintPages runs the print job here as in the viewer.
    quarlo::InstallDesktopPrintJob();
  }
  return quarlo::cli::RunCommandLine(args, std::cout, std::cerr);
}
