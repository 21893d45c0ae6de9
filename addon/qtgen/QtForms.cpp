// Qt Designer forms: one widget element per dialog element, and the whole form
// of a dialog with its standard button box.
#include "qtgen/QtText.h"
#include "qtgen/QtWriter.h"

#include <algorithm>
#include <cfloat>
#include <locale>
#include <sstream>

namespace quorvin::qorutilmisc {

using qt::Appendf;
using qt::Dec;
using qt::XmlEscaped;

namespace {

const char *FocusPolicy(ElementType type) {
    switch (type) {
    case ElementType::BitmapToggle:
    case ElementType::BitmapButton:
        return "TabFocus";
    case ElementType::TextField:
    case ElementType::Text:
    case ElementType::ReadOnlyText:
    case ElementType::OptionMenu:
    case ElementType::MultiList:
    case ElementType::SingleList:
    case ElementType::Scale:
    case ElementType::Toggle:
        return "StrongFocus";
    case ElementType::Spin:
        return "WheelFocus";
    default:
        return "NoFocus";
    }
}

// The geometry lines of a rectangle, ending with a line feed.
void AppendRect(std::string &out, int32_t x, int32_t y, int32_t width, int32_t height) {
    Appendf(out,
            " <property name=\"geometry\">\n"
            "  <rect>\n"
            "   <x>%d</x>\n"
            "   <y>%d</y>\n"
            "   <width>%d</width>\n"
            "   <height>%d</height>\n"
            "  </rect>\n"
            " </property>\n",
            x, y, width, height);
}

// The geometry of a tab or stacked widget: no line feed at its end.
void AppendPageWidgetGeometry(std::string &out, const DialogElement &e) {
    Appendf(out,
            " <property name=\"geometry\">\n  <rect>\n   <x>%d</x>\n   <y>%d</y>\n"
            "   <width>%d</width>\n   <height>%d</height>\n  </rect>\n </property>",
            e.x, e.y, e.width, e.height);
}

// A property holding the XML string of a text: head, string, " </property>".
void AppendTextProperty(std::string &out, const char *head, const std::string &text) {
    out += head;
    QtWriter::writeXmlString(out, text);
    out += " </property>";
}

// DBL_MIN and DBL_MAX as a default-formatted stream writes them.
std::string StreamDouble(double value) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

const std::string &SpinProperties() {
    static const std::string properties =
        " <property name=\"decimals\">\n  <number>0</number>\n </property>\n"
        " <property name=\"minimum\">\n"
        "    <double>" +
        StreamDouble(DBL_MIN) +
        "</double>\n"
        " </property>\n"
        " <property name=\"maximum\">\n"
        "    <double>" +
        StreamDouble(DBL_MAX) +
        "</double>\n"
        " </property>\n";
    return properties;
}

void ClampBelowOne(DialogElement &e) {
    for (int32_t *v : {&e.x, &e.y, &e.width, &e.height})
        if (*v < 1)
            *v = 0;
}

// The pages of a tab or form control, each preceded by its "currentIndex".
void AppendPageOpening(std::string &out, int index, const DialogElement &page) {
    Appendf(out,
            "<property name=\"currentIndex\">\n <number>%d</number>\n</property>\n"
            "<widget class=\"QWidget\" name=\"%s\">\n",
            index, XmlEscaped(page.name).c_str());
}

} // namespace

QtWriter::QtWriter() = default;
QtWriter::~QtWriter() = default;

void QtWriter::writeXmlString(std::string &out, const std::string &text) {
    out += "   <string>";
    const size_t first = text.find_first_not_of(" \n");
    if (first != std::string::npos) {
        const size_t end = text.find_last_not_of(" \n") + 1;
        std::string copied;
        for (size_t i = first; i < end; ++i) {
            // A backslash and "n" typed by the designer mean a line break.
            if (text[i] == '\\' && i + 1 < end && text[i + 1] == 'n') {
                copied += '\n';
                ++i;
            } else {
                copied += text[i];
            }
        }
        qt::AppendXmlEscaped(out, copied);
    }
    out += "</string>\n";
}

void QtWriter::appendGeometryProperties(std::string &out, const DialogElement &e) {
    AppendRect(out, e.x, e.y, e.width, e.height);
    if (!e.toolTip.empty()) {
        AppendTextProperty(out, " <property name=\"toolTip\">\n", e.toolTip);
        out += '\n';
    }
    Appendf(out, " <property name=\"focusPolicy\">\n  <enum>Qt::%s</enum> </property>",
            FocusPolicy(e.type));
}

// A widget is written straight into the form: its opening line, then the
// properties of its kind (each case's own, ending with a line feed), then
// its geometry properties and the closing line.
void QtWriter::openWidget(std::string &out, const DialogElement &e, const char *className) {
    out += "<widget class=\"";
    out += className;
    out += "\" name=\"";
    qt::AppendXmlEscaped(out, e.name);
    out += "\">\n";
}

void QtWriter::closeWidget(std::string &out, const DialogElement &e) {
    appendGeometryProperties(out, e);
    out += "\n</widget>\n";
}

void QtWriter::writeWidget(std::string &out, const DialogElement &e, const char *className,
                           std::string_view extraProperties) {
    openWidget(out, e, className);
    if (!extraProperties.empty()) {
        out += extraProperties;
        out += '\n';
    }
    closeWidget(out, e);
}

void QtWriter::writeTextWidget(std::string &out, const DialogElement &e, const char *className,
                               const char *propertyHead) {
    openWidget(out, e, className);
    AppendTextProperty(out, propertyHead, e.text);
    out += '\n';
    closeWidget(out, e);
}

void QtWriter::writeWidgets(std::string &out, const std::vector<DialogElement *> &list) {
    for (DialogElement *e : list) {
        switch (e->type) {
        case ElementType::Tab:
            writeTabWidget(out, *e);
            break;
        case ElementType::Form:
            writeStackedWidget(out, *e);
            break;
        case ElementType::Spin:
            writeWidget(out, *e, "QuorvinSpinBox", SpinProperties());
            break;
        case ElementType::TextField:
            writeWidget(out, *e, "QLineEdit", "");
            break;
        case ElementType::Text:
            writeWidget(out, *e, "QPlainTextEdit", "");
            break;
        case ElementType::ReadOnlyText:
            writeWidget(out, *e, "QPlainTextEdit",
                        " <property name=\"readOnly\">\n  <bool>true</bool>\n  </property>");
            break;
        case ElementType::Label:
            e->height = std::max(e->height, 12);
            e->width = std::max(e->width, 11);
            writeTextWidget(out, *e, "QLabel", " <property name=\"text\">\n");
            break;
        case ElementType::PushButton:
            openWidget(out, *e, "QPushButton");
            AppendTextProperty(out, " <property name=\"text\">\n", e->text);
            out += "\n"
                   " <property name=\"styleSheet\">\n"
                   "  <string>* { text-align: center }</string>"
                   " </property>\n"
                   "\n";
            closeWidget(out, *e);
            break;
        case ElementType::OptionMenu:
            writeWidget(out, *e, "QComboBox", "");
            break;
        case ElementType::MultiList:
            writeWidget(out, *e, "QListWidget",
                        " <property name=\"selectionMode\">\n"
                        "  <enum>QAbstractItemView::ExtendedSelection</enum>\n"
                        " </property>\n");
            break;
        case ElementType::SingleList:
            writeWidget(out, *e, "QListWidget", "");
            break;
        case ElementType::Scale:
            writeWidget(out, *e, "QSlider",
                        " <property name=\"maximum\"> <number>100</number> </property> \n"
                        " <property name=\"orientation\"> <enum>Qt::Horizontal</enum> "
                        "</property>\n");
            break;
        case ElementType::Toggle:
            writeTextWidget(out, *e, "QCheckBox", " <property name=\"text\">\n");
            break;
        case ElementType::RadioBox:
            writeRadioBox(out, *e);
            break;
        case ElementType::GroupFrame:
            e->y -= 5;
            e->height += 5;
            ClampBelowOne(*e);
            writeTextWidget(out, *e, "QGroupBox", " <property name=\"title\">\n");
            break;
        case ElementType::VerticalSeparator:
            e->width = 3;
            writeWidget(out, *e, "Line",
                        " <property name=\"orientation\">\n  <enum>Qt::Vertical</enum>\n"
                        " </property>");
            break;
        case ElementType::HorizontalSeparator:
            e->height = 3;
            writeWidget(out, *e, "Line",
                        " <property name=\"orientation\">\n  <enum>Qt::Horizontal</enum>\n"
                        " </property>");
            break;
        case ElementType::ColoredPushButton:
            writeWidget(out, *e, "QPushButton",
                        " <property name=\"text\">\n"
                        "  <string></string>\n"
                        " </property>");
            break;
        case ElementType::BitmapToggle:
            writeBitmapButton(out, *e, true);
            break;
        case ElementType::BitmapButton:
            writeBitmapButton(out, *e, false);
            break;
        default: // containers are not widgets here
            break;
        }
    }
}

void QtWriter::writeTabWidget(std::string &out, DialogElement &tab) {
    tab.y -= 24;
    tab.height += 24;
    for (int32_t *v : {&tab.x, &tab.y, &tab.width, &tab.height})
        if (*v <= 0)
            *v = 0;
    Appendf(out, "<widget class =\"QuorvinTabWidget\" name=\"%s\">\n",
            XmlEscaped(tab.name).c_str());
    AppendPageWidgetGeometry(out, tab);

    tab.orderChildren();
    std::vector<DialogElement *> pages = tab.children;
    std::stable_sort(pages.begin(), pages.end(),
                     [](const DialogElement *a, const DialogElement *b) {
                         return a->pagePosition < b->pagePosition;
                     });
    int index = 1;
    for (DialogElement *page : pages) {
        AppendPageOpening(out, index++, *page);
        out += "<attribute name=\"title\">\n";
        writeXmlString(out, page->text);
        out += "</attribute>\n";
        page->orderChildren();
        writeWidgets(out, page->children);
        out += "</widget>\n";
    }
    out += "</widget>\n";
}

void QtWriter::writeStackedWidget(std::string &out, DialogElement &form) {
    Appendf(out, "<widget class=\"QStackedWidget\" name=\"%s\">\n", XmlEscaped(form.name).c_str());
    AppendPageWidgetGeometry(out, form);
    form.orderChildren();
    int index = 1;
    for (DialogElement *page : form.children) {
        AppendPageOpening(out, index++, *page);
        page->orderChildren();
        writeWidgets(out, page->children);
        out += "</widget>\n";
    }
    out += "</widget>\n";
}

void QtWriter::writeRadioBox(std::string &out, DialogElement &radioBox) {
    const int32_t count = static_cast<int32_t>(radioBox.items.size());
    if (count > 0) {
        const int32_t buttonHeight = radioBox.height / count;
        for (int32_t k = 0; k < count; ++k) {
            out += "<widget class=\"QRadioButton\" name=\"";
            qt::AppendXmlEscaped(out, radioBox.name);
            Appendf(out, "_%d", k);
            out += "\">\n";
            AppendRect(out, radioBox.x, radioBox.y + k * buttonHeight, radioBox.width,
                       buttonHeight);
            AppendTextProperty(out, " <property name=\"text\">\n", radioBox.items[k]);
            out += '\n';
            if (!radioBox.toolTip.empty()) {
                out += " <property name=\"toolTip\">\n   <string>";
                qt::AppendXmlEscaped(out, radioBox.toolTip);
                out += "</string>\n </property>\n";
            }
            out += " <attribute name=\"buttonGroup\">\n  <string>";
            qt::AppendXmlEscaped(out, radioBox.name);
            out += "</string>\n </attribute>\n</widget>\n";
        }
    }
    radioBoxes.push_back(&radioBox);
}

std::string QtWriter::iconFileName(const std::string &imageFile) {
    const size_t separator = imageFile.find_last_of("/\\");
    const size_t dot = imageFile.rfind('.');
    std::string base = imageFile;
    if (separator != std::string::npos && dot != std::string::npos && separator < dot)
        base = imageFile.substr(separator + 1, dot - separator - 1);
    return base + ".png";
}

void QtWriter::writeBitmapButton(std::string &out, const DialogElement &button, bool checkable) {
    const std::string icon = iconFileName(button.imageFile);
    iconFiles.insert(icon);
    openWidget(out, button, "QPushButton");
    appendGeometryProperties(out, button);
    Appendf(out,
            " <property name=\"text\">\n"
            "  <string/>\n </property>\n <property name=\"icon\">\n"
            "  <iconset resource=\"quorvinrs.qrc\">:/quorvinrs_bitmaps_generated/%s</iconset>\n"
            " </property>\n <property name=\"iconSize\">\n  <size>\n   <width>%d</width>\n"
            "   <height>%d</height>\n  </size>\n </property>\n%s</widget>\n",
            XmlEscaped(icon).c_str(), button.width, button.height,
            checkable ? " <property name=\"checkable\">\n  <bool>true</bool>\n </property>\n" : "");
}

void QtWriter::writeButtonGroups(std::string &out) const {
    if (radioBoxes.empty())
        return;
    out += "<buttongroups>\n";
    for (const DialogElement *radioBox : radioBoxes) {
        Appendf(out, " <buttongroup name=\"%s\">\n", XmlEscaped(radioBox->name).c_str());
        out += "  <property name=\"exclusive\">\n    <bool>true</bool>\n  </property>\n"
               " </buttongroup>\n";
    }
    out += "</buttongroups>\n";
}

void QtWriter::writeCustomWidgets(std::string &out, bool hasSpin, bool hasTab) {
    out += "<customwidgets>\n";
    if (hasSpin)
        out += "  <customwidget>\n    <class>QuorvinSpinBox</class>\n"
               "    <extends>QDoubleSpinBox</extends>\n"
               "    <header>QuorvinSpinBox.h</header>\n  </customwidget>\n";
    if (hasTab)
        out += "  <customwidget>\n    <class>QuorvinTabWidget</class>\n"
               "    <extends>QTabWidget</extends>\n"
               "    <header>QuorvinTabWidget.h</header>\n  </customwidget>\n";
    out += "</customwidgets>\n";
}

void QtWriter::writeDialogForm(std::string &out, DialogElement &dialog) {
    radioBoxes.clear();
    const bool modal = dialog.type == ElementType::ModalDialog;
    const bool hasButtonBox =
        dialog.hasHelp || dialog.hasOkClose || dialog.hasCancel || dialog.hasApply;
    const int32_t formHeight = dialog.height + (hasButtonBox ? 42 : 0);
    const std::string className = XmlEscaped(dialog.className);
    Appendf(out,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
            " <class>%sDialogUI</class>\n <widget class=\"QDialog\" name=\"%sDialogUI\">\n"
            "  %s  <property name=\"geometry\">\n   <rect>\n    <x>0</x>\n    <y>0</y>\n"
            "    <width>%d</width>\n    <height>%d</height>\n   </rect>\n  </property>\n"
            "  <property name=\"windowTitle\">\n   <string>%s</string>\n  </property>\n",
            className.c_str(), className.c_str(),
            modal ? " <property name = \"windowModality\">\n  <enum>Qt::WindowModal</enum>\n"
                    " </property>\n"
                  : "",
            dialog.width, formHeight, XmlEscaped(dialog.text).c_str());

    if (hasButtonBox) {
        std::string buttons;
        auto add = [&buttons](const char *part) {
            if (!buttons.empty())
                buttons += "|";
            buttons += part;
        };
        if (dialog.hasHelp)
            add("QDialogButtonBox::Help");
        if (modal && dialog.hasOkClose)
            add("QDialogButtonBox::Ok");
        if (dialog.hasCancel)
            add("QDialogButtonBox::Cancel");
        if (!modal && dialog.hasOkClose)
            add("QDialogButtonBox::Close");
        if (dialog.hasApply)
            add("QDialogButtonBox::Apply");
        Appendf(out,
                " <widget class=\"QDialogButtonBox\" name=\"Dialog%d_buttonBox\">\n"
                "  <property name=\"geometry\">\n   <rect>\n    <x>%d</x>\n    <y>%d</y>\n"
                "    <width>%d</width>\n    <height>%d</height>\n   </rect>\n  </property>\n"
                "  <property name=\"standardButtons\">\n   <set>%s</set>\n  </property>\n"
                " </widget>\n",
                Dec(dialog.number), 10, formHeight - 31, dialog.width - 20, 23, buttons.c_str());
    }

    dialog.orderChildren();
    writeWidgets(out, dialog.children);
    out += "</widget>\n<resources/>\n<connections/>\n";
    writeButtonGroups(out);
    writeCustomWidgets(out, dialog.holds(ElementType::Spin), dialog.holds(ElementType::Tab));
    out += "</ui>\n";
}

} // namespace quorvin::qorutilmisc
