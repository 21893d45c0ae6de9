#include "Problems.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace studio {

ProblemsPanel::ProblemsPanel(std::function<void(const Problem &)> pick, QWidget *parent)
    : QWidget(parent), pick_(std::move(pick)) {
    setObjectName("problems");
    auto *layout = new QVBoxLayout(this);
    auto *check = new QPushButton("Check Design", this);
    check->setObjectName("check-design");
    list_ = new QListWidget(this);
    layout->addWidget(check);
    layout->addWidget(list_);
    connect(check, &QPushButton::clicked, this, &ProblemsPanel::refresh);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        const int row = list_->row(item);
        if (row >= 0 && static_cast<size_t>(row) < problems_.size() && pick_)
            pick_(problems_[static_cast<size_t>(row)]);
    });
}

void ProblemsPanel::setSource(ProblemSource source) {
    source_ = std::move(source);
}

void ProblemsPanel::refresh() {
    problems_ = source_ ? source_() : std::vector<Problem>{};
    list_->clear();
    if (!source_)
        list_->addItem("The design checks are not available in this build.");
    for (const Problem &p : problems_)
        list_->addItem(QString::fromStdString(p.message));
}

} // namespace studio
