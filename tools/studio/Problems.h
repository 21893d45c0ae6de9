// The problems panel: the design-check findings of the workspace, each
// naming its frame and, when it has one, its control; a click picks it.
// The findings come from a ProblemSource, so the panel does not depend on
// how the checks are made.
#pragma once

#include "quorvin/Host.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QListWidget;

namespace studio {

struct Problem {
    std::string message;
    UniqueID_t frame = 0; // 0: the whole design
    uint64_t text = 0;    // 0: the frame itself
};
using ProblemSource = std::function<std::vector<Problem>()>;

class ProblemsPanel : public QWidget {
  public:
    // pick: called with the problem clicked.
    ProblemsPanel(std::function<void(const Problem &)> pick, QWidget *parent = nullptr);
    void setSource(ProblemSource source);
    bool hasSource() const { return static_cast<bool>(source_); }
    // Runs the checks again and lists the findings.
    void refresh();
    const std::vector<Problem> &problems() const { return problems_; }
    QListWidget *list() const { return list_; }

  private:
    std::function<void(const Problem &)> pick_;
    ProblemSource source_;
    std::vector<Problem> problems_;
    QListWidget *list_ = nullptr;
};

} // namespace studio
