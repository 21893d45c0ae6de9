#include "GuiWindows.h"

#include "quorvin/Render.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

namespace studio {

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Host;

namespace {

QString q(const std::string &s) {
    return QString::fromStdString(s);
}

QString labelOf(const GuiControl &c) {
    return c.labels.empty() ? QString() : q(c.labels.front());
}

// A record's window: closing it (the title bar's button, Escape) is the
// dialog's Close or Cancel button, so the add-on decides whether it goes.
class RecordWindow : public QDialog {
  public:
    RecordWindow(QWidget *owner, std::function<void()> onClose)
        : QDialog(owner), onClose_(std::move(onClose)) {}
    void reject() override {
        if (onClose_)
            onClose_();
    }

  protected:
    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        reject();
    }

  private:
    std::function<void()> onClose_;
};

QImage bitmapOf(const GuiControl &c) {
    const int w = c.bitmapWidth, h = c.bitmapHeight;
    if (w <= 0 || h <= 0 || c.bitmap.size() < static_cast<size_t>(w) * static_cast<size_t>(h) * 3)
        return {};
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(w) + x) * 3;
            const int r = c.bitmap[at], g = c.bitmap[at + 1], b = c.bitmap[at + 2];
            const bool transparent = c.useTransparentColor && r == c.transparentRed &&
                                     g == c.transparentGreen && b == c.transparentBlue;
            image.setPixel(x, y, transparent ? 0u : qRgb(r, g, b));
        }
    return image;
}

QRect boxOf(const GuiControl &c) {
    using quorvin::host::dialogUnitsToPixelsX;
    using quorvin::host::dialogUnitsToPixelsY;
    return QRect(dialogUnitsToPixelsX(c.x), dialogUnitsToPixelsY(c.y),
                 std::max(dialogUnitsToPixelsX(c.width), 1),
                 std::max(dialogUnitsToPixelsY(c.height), 1));
}

} // namespace

GuiWindows::GuiWindows(QWidget *owner, CommandRunner run) : owner_(owner), run_(std::move(run)) {}

GuiWindows::~GuiWindows() {
    for (auto &[id, w] : windows_)
        delete w.dialog.data();
}

QDialog *GuiWindows::window(GUIInt_t dialog) const {
    auto it = windows_.find(dialog);
    return it == windows_.end() ? nullptr : it->second.dialog.data();
}

QWidget *GuiWindows::widget(GUIInt_t control) const {
    for (const auto &[id, w] : windows_) {
        auto it = w.widgets.find(control);
        if (it != w.widgets.end())
            return it->second.data();
    }
    return nullptr;
}

void GuiWindows::sync() {
    const Host &host = Host::instance();
    for (auto it = windows_.begin(); it != windows_.end();) {
        const GuiDialog *d = host.findDialog(it->first);
        const bool shown = d && (d->up || (d->kind == "Sidebar" && d->active));
        if (!shown || !it->second.dialog || it->second.controls != d->controls.size()) {
            if (it->second.dialog) {
                it->second.dialog->hide();
                it->second.dialog->deleteLater();
            }
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto &[id, d] : host.dialogs()) {
        const bool shown = d.up || (d.kind == "Sidebar" && d.active);
        if (!shown)
            continue;
        Window &w = windows_[id];
        if (!w.dialog)
            build(d, w);
        update(d, w);
    }
}

void GuiWindows::build(const GuiDialog &d, Window &w) {
    const GUIInt_t id = d.id;
    const bool modal = d.kind == "Modal";
    auto closeButton = [this, id, modal] {
        const GuiDialog *r = Host::instance().findDialog(id);
        if (!r)
            return;
        const char *which = modal ? (r->cancel ? "Cancel"
                                     : r->ok   ? "OK"
                                               : nullptr)
                                  : (r->close ? "Close" : nullptr);
        if (which)
            run_(std::string("close \"") + r->title + "\"", [id, which](std::string *error) {
                return Host::instance().pressDialogButton(id, which, error);
            });
    };
    auto *dialog = new RecordWindow(owner_, closeButton);
    dialog->setObjectName(QString("record-dialog-%1").arg(id));
    dialog->setWindowTitle(q(d.title));
    auto *layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *client = new QWidget(dialog);
    client->setObjectName("client");
    using quorvin::host::dialogUnitsToPixelsX;
    using quorvin::host::dialogUnitsToPixelsY;
    client->setFixedSize(std::max(dialogUnitsToPixelsX(d.width), 1),
                         std::max(dialogUnitsToPixelsY(d.height), 1));
    layout->addWidget(client);
    w.dialog = dialog;
    w.widgets[id] = client;
    w.controls = d.controls.size();

    const Host &host = Host::instance();
    for (GUIInt_t cid : d.controls) {
        const GuiControl *c = host.findControl(cid);
        if (!c)
            continue;
        QWidget *parent = client;
        if (auto it = w.widgets.find(c->parent); it != w.widgets.end() && it->second)
            parent = it->second;
        if (QWidget *made = makeControl(*c, parent, w)) {
            made->setObjectName(QString("control-%1").arg(cid));
            w.widgets[cid] = made;
        }
        if (c->kind == "MenuBar")
            if (auto *bar = qobject_cast<QMenuBar *>(w.widgets[cid].data()))
                layout->setMenuBar(bar);
    }

    // The host's standard buttons below the client area.
    QDialogButtonBox::StandardButtons buttons;
    if (modal) {
        if (d.ok)
            buttons |= QDialogButtonBox::Ok;
        if (d.apply)
            buttons |= QDialogButtonBox::Apply;
        if (d.cancel)
            buttons |= QDialogButtonBox::Cancel;
    } else if (d.kind == "Modeless" && d.close) {
        buttons |= QDialogButtonBox::Close;
    }
    if (d.help && d.kind != "Sidebar")
        buttons |= QDialogButtonBox::Help;
    if (buttons) {
        auto *box = new QDialogButtonBox(buttons, dialog);
        box->setObjectName("standard-buttons");
        box->setContentsMargins(8, 6, 8, 6);
        layout->addWidget(box);
        QObject::connect(box, &QDialogButtonBox::clicked, box, [this, box, id](QAbstractButton *b) {
            static const std::map<QDialogButtonBox::StandardButton, const char *> names = {
                {QDialogButtonBox::Ok, "OK"},
                {QDialogButtonBox::Apply, "Apply"},
                {QDialogButtonBox::Cancel, "Cancel"},
                {QDialogButtonBox::Close, "Close"},
                {QDialogButtonBox::Help, "Help"}};
            auto it = names.find(box->standardButton(b));
            if (it == names.end())
                return;
            const char *which = it->second;
            run_(std::string("press ") + which, [id, which](std::string *error) {
                return Host::instance().pressDialogButton(id, which, error);
            });
        });
    }
    // Clearing Qt::Tool would clear Qt::Window too and sink the dialog into
    // the main window: only sidebars change their flags.
    if (d.kind == "Sidebar")
        dialog->setWindowFlag(Qt::Tool, true);
    layout->activate();
    dialog->resize(dialog->sizeHint());
    dialog->show();
}

QWidget *GuiWindows::makeControl(const GuiControl &c, QWidget *parent, Window &w) {
    const GUIInt_t id = c.id;
    const std::string name = c.labels.empty() ? c.toolTip : c.labels.front();
    auto press = [this, id, name] {
        run_("press \"" + name + "\"",
             [id](std::string *error) { return Host::instance().pressControl(id, error); });
    };
    auto toggle = [this, id, name](bool on) {
        run_("toggle \"" + name + "\"",
             [id, on](std::string *error) { return Host::instance().setToggle(id, on, error); });
    };
    QWidget *made = nullptr;
    const QString label = labelOf(c);
    const std::string &k = c.kind;
    if (k == "Button" || k == "ColoredButton") {
        auto *b = new QPushButton(label, parent);
        QObject::connect(b, &QPushButton::clicked, b, press);
        made = b;
    } else if (k == "BitmapButton" || k == "BitmapToggle") {
        auto *b = new QToolButton(parent);
        const QImage image = bitmapOf(c);
        b->setIcon(QIcon(QPixmap::fromImage(image)));
        b->setIconSize(image.size());
        if (k == "BitmapToggle") {
            b->setCheckable(true);
            QObject::connect(b, &QToolButton::clicked, b, toggle);
        } else {
            QObject::connect(b, &QToolButton::clicked, b, press);
        }
        made = b;
    } else if (k == "Toggle") {
        auto *b = new QCheckBox(label, parent);
        QObject::connect(b, &QCheckBox::clicked, b, toggle);
        made = b;
    } else if (k == "RadioBox") {
        auto *box = new QWidget(parent);
        auto *layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *group = new QButtonGroup(box);
        for (size_t i = 0; i < c.labels.size(); ++i) {
            auto *r = new QRadioButton(q(c.labels[i]), box);
            layout->addWidget(r);
            group->addButton(r, static_cast<int>(i) + 1);
        }
        QObject::connect(group, &QButtonGroup::idClicked, box, [this, id, name](int which) {
            run_("radio \"" + name + "\"", [id, which](std::string *error) {
                return Host::instance().setRadioBox(id, which, error);
            });
        });
        made = box;
    } else if (k == "TextField" || k == "SpinTextField") {
        auto *e = new QLineEdit(parent);
        e->setReadOnly(c.readOnly);
        QObject::connect(e, &QLineEdit::editingFinished, e, [this, id, e] {
            const GuiControl *r = Host::instance().findControl(id);
            const std::string value = e->text().toStdString();
            if (!r || r->stringValue == value)
                return;
            run_("text field", [id, value](std::string *error) {
                return Host::instance().setTextField(id, value, error);
            });
        });
        made = e;
    } else if (k == "Text") {
        auto *e = new QPlainTextEdit(parent);
        e->setReadOnly(true);
        made = e;
    } else if (k == "Label") {
        made = new QLabel(label, parent);
    } else if (k == "List") {
        made = new QListWidget(parent);
    } else if (k == "Scale") {
        auto *s = new QSlider(Qt::Horizontal, parent);
        s->setRange(c.scaleMin, c.scaleMax);
        s->setEnabled(false);
        made = s;
    } else if (k == "OptionMenu") {
        auto *o = new QComboBox(parent);
        o->addItems(q(c.optionList).split(','));
        made = o;
    } else if (k == "Frame") {
        made = new QGroupBox(label, parent);
    } else if (k == "HorzSeparator" || k == "VertSeparator") {
        auto *f = new QFrame(parent);
        f->setFrameShape(k == "HorzSeparator" ? QFrame::HLine : QFrame::VLine);
        made = f;
    } else if (k == "Tab") {
        made = new QTabWidget(parent);
    } else if (k == "Form") {
        made = new QStackedWidget(parent);
    } else if (k == "TabPage" || k == "FormPage") {
        auto *page = new QWidget(parent);
        if (auto *tabs = qobject_cast<QTabWidget *>(parent))
            tabs->addTab(page, label);
        else if (auto *stack = qobject_cast<QStackedWidget *>(parent))
            stack->addWidget(page);
        return page; // placed by its container
    } else if (k == "MenuBar") {
        return new QMenuBar(parent);
    } else if (k == "Menu") {
        auto *menu = new QMenu(label, parent);
        if (auto *bar = qobject_cast<QMenuBar *>(parent))
            bar->addMenu(menu);
        else if (auto *up = qobject_cast<QMenu *>(parent))
            up->addMenu(menu);
        w.actions[id] = menu->menuAction();
        return menu;
    } else if (k == "MenuItem" || k == "MenuSeparator") {
        auto *menu = qobject_cast<QMenu *>(parent);
        if (!menu)
            return nullptr;
        if (k == "MenuSeparator") {
            menu->addSeparator();
        } else {
            QAction *a = menu->addAction(label);
            a->setStatusTip(q(c.helpText));
            a->setObjectName(QString("control-%1").arg(id));
            QObject::connect(a, &QAction::triggered, menu, press);
            w.actions[id] = a;
        }
        return nullptr;
    }
    if (!made)
        return nullptr;
    if (!c.toolTip.empty())
        made->setToolTip(q(c.toolTip));
    made->setGeometry(boxOf(c));
    if (auto *box = qobject_cast<QGroupBox *>(made)) {
        // The heading straddles the frame's top edge (as far as the window
        // allows), clear of the rows of buttons just inside and just above.
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const int heading =
            box->style()
                ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)
                .bottom() +
            1;
        const QRect r = boxOf(c);
        box->setGeometry(r.adjusted(0, -std::min(heading / 2, r.top()), 0, 0));
    }
    made->show();
    return made;
}

void GuiWindows::update(const GuiDialog &d, Window &w) {
    const Host &host = Host::instance();
    for (GUIInt_t cid : d.controls) {
        const GuiControl *c = host.findControl(cid);
        if (!c)
            continue;
        if (auto a = w.actions.find(cid); a != w.actions.end() && a->second)
            if (auto *action = qobject_cast<QAction *>(a->second.data()))
                action->setEnabled(c->sensitive);
        auto it = w.widgets.find(cid);
        if (it == w.widgets.end() || !it->second)
            continue;
        QWidget *widget = it->second;
        if (c->kind != "Scale" && c->kind != "TabPage" && c->kind != "FormPage")
            widget->setEnabled(c->sensitive);
        const QSignalBlocker blocker(widget);
        if (auto *b = qobject_cast<QAbstractButton *>(widget)) {
            if (b->isCheckable())
                b->setChecked(c->intValue != 0);
            if (!c->labels.empty() && c->kind != "BitmapButton" && c->kind != "BitmapToggle")
                b->setText(labelOf(*c));
        } else if (auto *e = qobject_cast<QLineEdit *>(widget)) {
            if (!e->hasFocus() || e->text().toStdString() != c->stringValue)
                e->setText(q(c->stringValue));
        } else if (auto *t = qobject_cast<QPlainTextEdit *>(widget)) {
            t->setPlainText(q(c->stringValue));
        } else if (auto *s = qobject_cast<QSlider *>(widget)) {
            s->setValue(c->intValue);
        } else if (auto *o = qobject_cast<QComboBox *>(widget)) {
            o->setCurrentIndex(c->intValue - 1);
        } else if (c->kind == "RadioBox") {
            const auto buttons = widget->findChildren<QRadioButton *>();
            for (int i = 0; i < buttons.size(); ++i) {
                const QSignalBlocker radioBlocker(buttons[i]);
                buttons[i]->setChecked(i + 1 == c->intValue);
            }
        }
    }
    if (auto *box = w.dialog->findChild<QDialogButtonBox *>("standard-buttons"))
        if (QPushButton *apply = box->button(QDialogButtonBox::Apply))
            apply->setEnabled(d.applySensitive);
}

void GuiWindows::showHostPicture(GUIInt_t dialog) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("picture.png").toStdString();
    std::string error;
    auto *window = new QLabel(owner_, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QString("host-picture-%1").arg(dialog));
    const GuiDialog *d = Host::instance().findDialog(dialog);
    window->setWindowTitle(QString("Host picture: %1").arg(d ? q(d->title) : QString()));
    if (dir.isValid() && quorvin::host::renderDialog(dialog, path, &error))
        window->setPixmap(QPixmap(q(path)));
    else
        window->setText(q(error.empty() ? "the picture could not be drawn" : error));
    window->adjustSize();
    window->show();
}

} // namespace studio
