// Collects the dialog elements of one build and assembles them into one tree
// per dialog and sidebar.
#pragma once

#include "model/DialogElement.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace quorvin::qorutilmisc {

struct ParserImpl;

class Parser {
  public:
    Parser();
    virtual ~Parser();
    Parser(const Parser &) = delete;
    Parser &operator=(const Parser &) = delete;

    // Takes ownership. A container is registered under its frame (a page also
    // under its linking group); any other element becomes a child of the
    // container added before under the same frame. False when a control's
    // frame has no container (the element is kept but sits in no tree) or
    // when the element arrives after the trees were assembled.
    bool add(std::unique_ptr<DialogElement> element);

    // Top-level containers in the order they were added: all (sidebars and
    // dialogs), sidebars only, dialogs only. The first call of any of them
    // assembles the trees; add nothing after it.
    const std::vector<DialogElement *> &all();
    const std::vector<DialogElement *> &sidebars();
    const std::vector<DialogElement *> &dialogs();

    // Elements added so far, containers and controls alike.
    size_t elementCount() const;

  private:
    std::unique_ptr<ParserImpl> impl_;
};

} // namespace quorvin::qorutilmisc
