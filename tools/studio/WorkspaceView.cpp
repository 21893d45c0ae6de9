#include "WorkspaceView.h"

#include "Authoring.h"

#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace studio {

using quorvin::host::DrawnFrame;
using quorvin::host::DrawnGeom;
using quorvin::host::DrawnText;
using quorvin::host::Frame;
using quorvin::host::Host;
using quorvin::host::kFrameHeaderInches;
using quorvin::host::PaperRect;
using quorvin::host::Text;

namespace {

constexpr double kHandleSize = 8;    // pixels
constexpr double kDragThreshold = 3; // pixels before a press becomes a drag

QColor qcolor(const quorvin::host::Color8 &c) {
    return QColor(c.r, c.g, c.b);
}

bool contains(const PaperRect &r, double x, double y) {
    return x >= std::min(r.left, r.right) && x <= std::max(r.left, r.right) &&
           y >= std::min(r.top, r.bottom) && y <= std::max(r.top, r.bottom);
}

PaperRect grown(const PaperRect &r, double by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

std::vector<QString> linesOf(const std::string &s) {
    std::vector<QString> lines;
    for (const QString &l : QString::fromStdString(s).split('\n'))
        lines.push_back(l);
    return lines;
}

} // namespace

WorkspaceView::WorkspaceView(CommandRunner run, QWidget *parent)
    : QWidget(parent), run_(std::move(run)) {
    setObjectName("workspace");
    setMouseTracking(false);
    setAutoFillBackground(false);
    refresh();
}

QPointF WorkspaceView::toWidget(double paperX, double paperY) const {
    return {paperX * pixelsPerInch(), paperY * pixelsPerInch()};
}

QPointF WorkspaceView::toPaper(QPointF widget) const {
    return {widget.x() / pixelsPerInch(), widget.y() / pixelsPerInch()};
}

QRectF WorkspaceView::widgetRect(const PaperRect &r) const {
    return QRectF(toWidget(r.left, r.top), toWidget(r.right, r.bottom)).normalized();
}

void WorkspaceView::refresh() {
    frames_ = quorvin::host::workspaceDrawing();
    picks_ = Host::instance().pickList();
    updateGeometry();
    resize(sizeHint().expandedTo(size()));
    update();
}

QSize WorkspaceView::sizeHint() const {
    double right = 11, bottom = 8.5; // a letter page at least
    for (const DrawnFrame &f : frames_) {
        right = std::max(right, f.rect.right + 0.5);
        bottom = std::max(bottom, f.rect.bottom + 0.5);
    }
    const QPointF corner = toWidget(right, bottom);
    return QSize(static_cast<int>(corner.x()), static_cast<int>(corner.y()));
}

std::optional<QPointF> WorkspaceView::centreOfText(uint64_t handle) const {
    for (const DrawnFrame &f : frames_) {
        for (const DrawnText &t : f.texts)
            if (t.handle == handle)
                return widgetRect(t.box).center();
        for (const DrawnGeom &g : f.geoms)
            if (g.handle == handle)
                return widgetRect(g.bounds).center();
    }
    return std::nullopt;
}

std::optional<QPointF> WorkspaceView::centreOfFrame(UniqueID_t frame) const {
    for (const DrawnFrame &f : frames_)
        if (f.uniqueId == frame) {
            const PaperRect header{f.rect.left, f.rect.top, f.rect.right,
                                   f.rect.top + kFrameHeaderInches};
            return widgetRect(header).center();
        }
    return std::nullopt;
}

// ---- drawing

void WorkspaceView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(200, 204, 210)); // the desk around the paper
    const UniqueID_t current = frames_.empty() ? 0 : frames_.back().uniqueId;
    for (const DrawnFrame &f : frames_) {
        const QRectF box = widgetRect(f.rect);
        p.fillRect(box, qcolor(f.background));
        p.save();
        p.setClipRect(box);
        for (const DrawnGeom &g : f.geoms) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            if (g.type == GeomType_Rectangle) {
                p.drawRect(widgetRect(g.bounds));
            } else if (g.type == GeomType_Image && g.rgb && g.pixelWidth > 0 &&
                       g.rgb->size() >= static_cast<size_t>(g.pixelWidth) * g.pixelHeight * 3) {
                const QImage image(g.rgb->data(), g.pixelWidth, g.pixelHeight, g.pixelWidth * 3,
                                   QImage::Format_RGB888);
                p.drawImage(widgetRect(g.bounds), image);
            } else {
                for (const auto &line : g.polylines) {
                    QPainterPath path;
                    for (size_t i = 0; i + 1 < line.size(); i += 2) {
                        const QPointF at = toWidget(line[i], line[i + 1]);
                        if (i == 0)
                            path.moveTo(at);
                        else
                            path.lineTo(at);
                    }
                    p.drawPath(path);
                }
            }
        }
        for (const DrawnText &t : f.texts) {
            const QRectF tb = widgetRect(t.box);
            if (t.boxType == TextBox_Filled)
                p.fillRect(tb, qcolor(t.fillColor));
            if (t.boxType != TextBox_None) {
                p.setPen(QPen(qcolor(t.boxColor), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(tb);
            }
            QFont font("DejaVu Sans");
            font.setPixelSize(
                std::max(1, static_cast<int>(std::lround(t.glyphHeight * pixelsPerInch()))));
            p.setFont(font);
            p.setPen(qcolor(t.color));
            const QRectF block = widgetRect(t.block);
            const double step = t.glyphHeight * t.lineSpacing * pixelsPerInch();
            const double lineHeight = t.glyphHeight * pixelsPerInch();
            const Qt::Alignment align = t.anchor == 1   ? Qt::AlignHCenter
                                        : t.anchor == 2 ? Qt::AlignRight
                                                        : Qt::AlignLeft;
            double top = block.top();
            for (const QString &line : linesOf(t.string)) {
                p.drawText(QRectF(block.left() - lineHeight, top, block.width() + 2 * lineHeight,
                                  lineHeight),
                           align | Qt::AlignVCenter | Qt::TextDontClip, line);
                top += step;
            }
        }
        p.restore();
        // Header strip with the frame's name, and the border.
        if (f.showHeader) {
            const QRectF header = widgetRect(
                {f.rect.left, f.rect.top, f.rect.right, f.rect.top + kFrameHeaderInches});
            p.fillRect(header, f.uniqueId == current ? QColor(60, 74, 92) : QColor(150, 156, 166));
            p.setPen(Qt::white);
            QFont font("DejaVu Sans");
            font.setPixelSize(
                std::max(1, static_cast<int>(kFrameHeaderInches * pixelsPerInch() * 0.6)));
            p.setFont(font);
            p.drawText(header.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromStdString(f.name));
        }
        p.setPen(QPen(f.uniqueId == current ? QColor(40, 90, 160) : Qt::black,
                      f.uniqueId == current ? 2 : 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
    }

    // The pick list: dashed boxes; a picked frame gets its resize handles.
    for (const auto &pk : picks_) {
        for (const DrawnFrame &f : frames_) {
            if (f.uniqueId != pk.frame)
                continue;
            QRectF box;
            if (pk.type == PickObject_Frame) {
                box = widgetRect(f.rect);
                p.setPen(QPen(QColor(230, 120, 0), 1));
                p.setBrush(QColor(230, 120, 0));
                for (const QPointF &c :
                     {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()})
                    p.drawRect(QRectF(c.x() - kHandleSize / 2, c.y() - kHandleSize / 2, kHandleSize,
                                      kHandleSize));
                continue;
            }
            for (const DrawnText &t : f.texts)
                if (t.handle == pk.handle)
                    box = widgetRect(t.box);
            for (const DrawnGeom &g : f.geoms)
                if (g.handle == pk.handle)
                    box = widgetRect(g.bounds);
            p.setPen(QPen(QColor(230, 120, 0), 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box.adjusted(-2, -2, 2, 2).translated(dragging_ ? dragDelta_ : QPointF()));
        }
    }
}

// ---- picking and dragging

WorkspaceView::Hit WorkspaceView::hitTest(QPointF at) const {
    const QPointF paper = toPaper(at);
    const double slack = 3 / pixelsPerInch();
    Hit hit;
    // Handles of a picked frame first, then the frames from the top down.
    for (const auto &pk : picks_)
        if (pk.type == PickObject_Frame)
            for (const DrawnFrame &f : frames_)
                if (f.uniqueId == pk.frame) {
                    const QRectF box = widgetRect(f.rect);
                    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(),
                                               box.bottomLeft()};
                    for (int i = 0; i < 4; ++i)
                        if (std::abs(at.x() - corners[i].x()) <= kHandleSize &&
                            std::abs(at.y() - corners[i].y()) <= kHandleSize)
                            return {Hit::Handle, f.uniqueId, 0, i};
                }
    for (auto f = frames_.rbegin(); f != frames_.rend(); ++f) {
        if (!contains(f->rect, paper.x(), paper.y()))
            continue;
        // Texts above geometries; the last made on top.
        for (auto t = f->texts.rbegin(); t != f->texts.rend(); ++t)
            if (contains(grown(t->box, slack), paper.x(), paper.y()))
                return {Hit::Text, f->uniqueId, t->handle, 0};
        for (auto g = f->geoms.rbegin(); g != f->geoms.rend(); ++g)
            if (contains(grown(g->bounds, slack), paper.x(), paper.y()))
                return {Hit::Geom, f->uniqueId, g->handle, 0};
        return {Hit::Frame, f->uniqueId, 0, 0};
    }
    return hit;
}

bool WorkspaceView::isPicked(const Hit &hit) const {
    for (const auto &pk : picks_) {
        if (hit.kind == Hit::Frame && pk.type == PickObject_Frame && pk.frame == hit.frame)
            return true;
        if ((hit.kind == Hit::Text || hit.kind == Hit::Geom) && pk.handle == hit.handle)
            return true;
    }
    return false;
}

void WorkspaceView::pick(const Hit &hit, bool add) {
    const Host &host = Host::instance();
    if (hit.kind == Hit::None) {
        if (!picks_.empty())
            run_("pick none", [](std::string *) {
                Host::instance().clearPicks();
                return true;
            });
        return;
    }
    if (hit.kind == Hit::Frame) {
        if (isPicked(hit) && picks_.size() == 1)
            return;
        run_("pick frame", [frame = hit.frame](std::string *error) {
            return Host::instance().pickFrame(frame, error);
        });
        return;
    }
    if (isPicked(hit) && !add)
        return; // keeps the pick list for a drag of all picked objects
    const Frame *current = host.currentFrame();
    if (!current || current->uniqueId != hit.frame) {
        // Objects are picked in the current frame: the click brings the
        // frame up first, as it does in Quorvin.
        run_("pick frame", [frame = hit.frame](std::string *error) {
            return Host::instance().pickFrame(frame, error);
        });
        add = false;
    }
    const bool text = hit.kind == Hit::Text;
    run_(text ? "pick text" : "pick geometry",
         [text, handle = hit.handle, add](std::string *error) {
             Host &h = Host::instance();
             return text ? h.pickText(reinterpret_cast<Text_ID>(static_cast<uintptr_t>(handle)),
                                      add, error)
                         : h.pickGeom(reinterpret_cast<Geom_ID>(static_cast<uintptr_t>(handle)),
                                      add, error);
         });
}

void WorkspaceView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    const Hit hit = hitTest(event->localPos());
    pressAt_ = event->localPos();
    dragDelta_ = {};
    dragging_ = false;
    if (hit.kind != Hit::Handle)
        pick(hit, event->modifiers() & Qt::ShiftModifier);
    pressed_ = hit.kind == Hit::None ? std::nullopt : std::optional<Hit>(hit);
}

void WorkspaceView::mouseMoveEvent(QMouseEvent *event) {
    if (!pressed_)
        return;
    dragDelta_ = event->localPos() - pressAt_;
    if (!dragging_ && std::hypot(dragDelta_.x(), dragDelta_.y()) >= kDragThreshold)
        dragging_ = true;
    update();
}

void WorkspaceView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    dragDelta_ = event->localPos() - pressAt_;
    if (dragging_ || std::hypot(dragDelta_.x(), dragDelta_.y()) >= kDragThreshold)
        finishDrag(dragDelta_);
    pressed_.reset();
    dragging_ = false;
    dragDelta_ = {};
    update();
}

void WorkspaceView::finishDrag(QPointF delta) {
    const double dx = delta.x() / pixelsPerInch(), dy = delta.y() / pixelsPerInch();
    const Hit hit = *pressed_;
    const Frame *current = Host::instance().currentFrame();
    if (!current || current->uniqueId != hit.frame)
        return;
    const auto &s = current->spec;
    if (hit.kind == Hit::Handle) {
        // The dragged corner moves; the opposite one stays.
        double left = s.x, top = s.y, right = s.x + s.width, bottom = s.y + s.height;
        (hit.corner == 0 || hit.corner == 3 ? left : right) += dx;
        (hit.corner == 0 || hit.corner == 1 ? top : bottom) += dy;
        const double minimum = 0.25;
        if (right - left < minimum || bottom - top < minimum)
            return;
        run_("resize frame", [=](std::string *error) {
            return Host::instance().setFramePosAndSize(left, top, right - left, bottom - top,
                                                       error);
        });
    } else if (hit.kind == Hit::Frame) {
        run_("move frame",
             [x = s.x + dx, y = s.y + dy, w = s.width, h = s.height](std::string *error) {
                 return Host::instance().setFramePosAndSize(x, y, w, h, error);
             });
    } else {
        const std::vector<Host::PickedObject> picked = Host::instance().pickList();
        run_("move", [picked, dx, dy](std::string *error) {
            for (const Host::PickedObject &o : picked)
                if (o.type != PickObject_Frame && !moveObject(o, dx, dy, error))
                    return false;
            return true;
        });
    }
}

void WorkspaceView::mouseDoubleClickEvent(QMouseEvent *event) {
    const Hit hit = hitTest(event->localPos());
    if (hit.kind != Hit::Text)
        return;
    const Text *text =
        Host::instance().findText(reinterpret_cast<Text_ID>(static_cast<uintptr_t>(hit.handle)));
    if (!text)
        return;
    bool ok = false;
    const QString value = QInputDialog::getMultiLineText(
        this, "Edit Text", "Text:", QString::fromStdString(text->spec.string), &ok);
    if (!ok)
        return;
    run_("edit text", [handle = hit.handle, v = value.toStdString()](std::string *error) {
        return setTextString(handle, v, error);
    });
}

} // namespace studio
