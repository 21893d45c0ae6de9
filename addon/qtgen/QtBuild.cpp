#include "qtgen/QtBuild.h"

#include "classic/Generator.h"
#include "qtgen/QtWriter.h"
#include "model/Settings.h"

namespace quorvin::builder {

namespace {

using qorutilmisc::DialogElement;
using qorutilmisc::ElementRect;
using qorutilmisc::ElementType;

// Pixel sizes of a frame are written rounded to the nearest pixel.
int32_t RoundPixels(double value) {
    return static_cast<int32_t>(value + 0.499);
}

uint32_t Unsigned(int value) {
    return static_cast<uint32_t>(value);
}

std::string WithCallbackSuffix(const std::string &base) {
    return base.empty() ? std::string() : base + "_CB";
}

bool Recording() {
    return BuildState.Collector && !BuildState.Preview && BuildState.Language == LanguageQt;
}

void RecordContainer(const ContainerInfo &c) {
    if (!Recording())
        return;
    std::unique_ptr<DialogElement> element;
    switch (c.kind) {
    case ModalDialog:
    case ModelessDialog:
        // A modeless dialog has only the close (OK) and help buttons.
        element = DialogElement::makeDialog(
            Unsigned(c.id), c.modeless, RoundPixels(c.pixelWidth), RoundPixels(c.pixelHeight),
            c.title, c.okClose, c.cancel && !c.modeless, c.apply && !c.modeless, c.help);
        break;
    case Sidebar:
        element = DialogElement::makeSidebar(Unsigned(c.id), RoundPixels(c.pixelWidth),
                                             RoundPixels(c.pixelHeight), c.title);
        break;
    case FormPage:
        element = DialogElement::makeFormPage(Unsigned(c.number), Unsigned(c.id), c.ManagerName());
        break;
    case TabPage:
        element = DialogElement::makeTabPage(Unsigned(c.number), Unsigned(c.id), c.ManagerName(),
                                             c.title, Unsigned(c.position));
        break;
    }
    if (element)
        BuildState.Collector->add(std::move(element));
}

void RecordControl(const ContainerInfo &c, const ControlRecord &r) {
    if (!Recording())
        return;
    const uint32_t number = Unsigned(c.number);
    const ElementRect rect{r.pixelX, r.pixelY, r.pixelWidth, r.pixelHeight};
    std::unique_ptr<DialogElement> element;
    switch (r.type) {
    case Tab:
        element = DialogElement::makeTabControl(number, Unsigned(r.group), r.identifier, rect,
                                                r.callback, r.callback2);
        break;
    case Form:
        element = DialogElement::makeFormControl(number, Unsigned(r.group), r.identifier, rect);
        break;
    case Spin:
        element = DialogElement::makeSpin(
            number, rect, r.identifier, r.toolTip, r.label, WithCallbackSuffix(r.callback),
            WithCallbackSuffix(r.callback2), WithCallbackSuffix(r.callback3));
        break;
    case Scale:
        element = DialogElement::makeScale(number, rect, r.identifier, r.toolTip, r.label,
                                           WithCallbackSuffix(r.callback), r.callback2);
        break;
    case RadioBox:
        element = DialogElement::makeRadioBox(number, rect, r.identifier, r.toolTip, r.label,
                                              WithCallbackSuffix(r.callback), r.radioLabels);
        break;
    case kColoredButton:
        element = DialogElement::makeColoredPushButton(number, rect, r.identifier, r.toolTip,
                                                       r.label, WithCallbackSuffix(r.callback),
                                                       Unsigned(r.colorIndex));
        break;
    case kBitmapButton:
    case kBitmapToggle: {
        DialogElement::ImageData image;
        image.file = r.imageFile;
        image.width = Unsigned(r.bitmapWidth);
        image.height = Unsigned(r.bitmapHeight);
        image.hasTransparentColor = r.transparent;
        image.red = Unsigned(r.red);
        image.green = Unsigned(r.green);
        image.blue = Unsigned(r.blue);
        element = DialogElement::makeBitmapButton(r.type == kBitmapToggle, number, rect,
                                                  r.identifier, r.toolTip, r.label,
                                                  WithCallbackSuffix(r.callback), image);
        break;
    }
    case kGroupFrame:
        element = DialogElement::makeGroupFrame(number, rect, r.label);
        break;
    case kVertSeparator:
        element = DialogElement::makeSeparator(number, r.pixelX, r.pixelY, r.pixelHeight, true);
        break;
    case kHorzSeparator:
        element = DialogElement::makeSeparator(number, r.pixelX, r.pixelY, r.pixelWidth, false);
        break;
    case TextField:
    case Text:
    case ReadOnlyText:
    case Label:
    case PushButton:
    case OptionMenu:
    case MultiList:
    case SingleList:
    case Toggle:
        element =
            DialogElement::makeControl(static_cast<ElementType>(r.type), number, rect, r.identifier,
                                       r.toolTip, r.label, WithCallbackSuffix(r.callback));
        break;
    default:
        break;
    }
    if (element)
        BuildState.Collector->add(std::move(element));
}

} // namespace

QtRecording::QtRecording(qorutilmisc::Parser &parser)
    : savedCollector_(BuildState.Collector), savedHooks_(BuildHooks) {
    BuildState.Collector = &parser;
    BuildHooks.container = RecordContainer;
    BuildHooks.control = RecordControl;
    BuildHooks.containerEnd = nullptr;
}

QtRecording::~QtRecording() {
    BuildState.Collector = savedCollector_;
    BuildHooks = savedHooks_;
}

bool WriteQtOutput(qorutilmisc::Parser &parser) {
    qorutilmisc::QtWriter writer;
    const bool dialogs = writer.writeDialogFiles(parser);
    const bool mainWindow = writer.writeMainWindowFiles(parser);
    const bool resources = writer.writeResourceFile();
    return dialogs && mainWindow && resources;
}

} // namespace quorvin::builder
