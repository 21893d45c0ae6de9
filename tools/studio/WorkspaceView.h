// The paper: every frame of the workspace drawn from the host's drawing data
// (quorvin/Render.h), the current frame on top, the picked objects marked.
// A click picks, shift-click adds to the pick list, a drag moves what is
// picked, the corner handles of a picked frame resize it, a double-click
// edits a text's string. Every change goes through the driving API as the
// real host's user interface would make it.
#pragma once

#include "GuiWindows.h"

#include "quorvin/Render.h"

#include <QPointF>
#include <QWidget>

#include <optional>

namespace studio {

class WorkspaceView : public QWidget {
  public:
    WorkspaceView(CommandRunner run, QWidget *parent = nullptr);

    // Screen pixels per paper inch (96 at zoom 1).
    double pixelsPerInch() const { return 96.0 * zoom_; }
    QPointF toWidget(double paperX, double paperY) const;
    QPointF toPaper(QPointF widget) const;
    // The centre of a text or geometry, or of a frame's header, in widget
    // coordinates (for tests and for the problems panel); nullopt when absent.
    std::optional<QPointF> centreOfText(uint64_t handle) const;
    std::optional<QPointF> centreOfFrame(UniqueID_t frame) const;

    // Re-reads the workspace and repaints.
    void refresh();
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;

  private:
    struct Hit {
        enum Kind { None, Frame, Text, Geom, Handle } kind = None;
        UniqueID_t frame = 0;
        uint64_t handle = 0;
        int corner = 0; // handles: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left
    };
    Hit hitTest(QPointF widget) const;
    QRectF widgetRect(const quorvin::host::PaperRect &r) const;
    bool isPicked(const Hit &hit) const;
    void pick(const Hit &hit, bool add);
    void finishDrag(QPointF delta);

    CommandRunner run_;
    double zoom_ = 1.0;
    std::vector<quorvin::host::DrawnFrame> frames_;
    std::vector<quorvin::host::Host::PickedObject> picks_;
    // The drag in progress.
    std::optional<Hit> pressed_;
    QPointF pressAt_, dragDelta_;
    bool dragging_ = false;
};

} // namespace studio
