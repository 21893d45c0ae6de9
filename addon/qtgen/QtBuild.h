// The Qt side of a build: while the generator walks the design, every
// container and accepted control becomes an element of the build's Parser;
// after the walk the Qt writer turns the trees into files.
#pragma once

#include "classic/BuildState.h"
#include "model/Parser.h"

namespace quorvin::builder {

// For the length of one Qt build: makes the Parser the build's element
// collector and joins the generator's container and control hooks to it.
// The collector and hooks that were set before come back when it ends.
class QtRecording {
  public:
    explicit QtRecording(qorutilmisc::Parser &parser);
    ~QtRecording();
    QtRecording(const QtRecording &) = delete;
    QtRecording &operator=(const QtRecording &) = delete;

  private:
    qorutilmisc::Parser *savedCollector_;
    GeneratorHooks savedHooks_;
};

// The dialog files, the main window files and the resource file, in that
// order. True when every file was written; each failure has been shown.
bool WriteQtOutput(qorutilmisc::Parser &parser);

} // namespace quorvin::builder
