// The dialog element tree of the Qt output: every container and every control
// the build accepts becomes one DialogElement, and a Parser assembles them into
// one tree per dialog and sidebar (pages hung under their tab and form controls).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvin::qorutilmisc {

// Kind of an element. 0 to 13 are the control kinds with the same numbers.
enum class ElementType : uint32_t {
    Tab = 0,
    Form = 1,
    Spin = 2,
    TextField = 3,
    Text = 4,
    ReadOnlyText = 5,
    Label = 6,
    PushButton = 7,
    OptionMenu = 8,
    MultiList = 9,
    SingleList = 10,
    Scale = 11,
    Toggle = 12,
    RadioBox = 13,
    GroupFrame = 14,
    VerticalSeparator = 15,
    HorizontalSeparator = 16,
    ColoredPushButton = 17,
    BitmapToggle = 18,
    BitmapButton = 19,
    Sidebar = 20,
    ModalDialog = 21,
    ModelessDialog = 22,
    FormPage = 23,
    TabPage = 24,
};

bool IsContainer(ElementType type); // 20 to 24
bool IsTopLevel(ElementType type);  // 20 to 22
bool IsPage(ElementType type);      // 23, 24
bool IsDialog(ElementType type);    // 21, 22

// Position and size in screen pixels, relative to the frame's top-left corner.
struct ElementRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

class DialogElement;

// How the designer finds a container's frame: its kind, ID (and linking
// group) and title, for messages.
std::string DescribeFrame(const DialogElement &container);

// Class-name fragments hold at most this many characters: the fragment also
// names the dialog's directory and files.
constexpr size_t kClassNameLimit = 64;

// A title turned into a class-name fragment: letters and underscores stay, a
// leading digit becomes its English word, everything else is dropped; cut to
// the limit. Empty when that leaves no ASCII letter.
std::string MakeClassName(const std::string &title);

// The fragment of a dialog or sidebar: its title's, or, when the title gives
// none, the prefix ("Dialog", "Sidebar") and the ID.
std::string ContainerClassName(const std::string &title, const char *prefix, uint32_t id);

class DialogElement {
  public:
    virtual ~DialogElement();
    DialogElement(const DialogElement &) = delete;
    DialogElement &operator=(const DialogElement &) = delete;

    // ---- factories; the frame that is current now is the element's frame
    static std::unique_ptr<DialogElement> makeGroupFrame(uint32_t number, ElementRect rect,
                                                         std::string title);
    static std::unique_ptr<DialogElement> makeSeparator(uint32_t number, int32_t x, int32_t y,
                                                        int32_t length, bool vertical);
    static std::unique_ptr<DialogElement> makeFormControl(uint32_t number, uint32_t group,
                                                          std::string name, ElementRect rect);
    static std::unique_ptr<DialogElement> makeTabControl(uint32_t number, uint32_t group,
                                                         std::string name, ElementRect rect,
                                                         std::string activateName,
                                                         std::string deactivateName);
    static std::unique_ptr<DialogElement> makeFormPage(uint32_t number, uint32_t pageId,
                                                       std::string name);
    static std::unique_ptr<DialogElement> makeTabPage(uint32_t number, uint32_t pageId,
                                                      std::string name, std::string title,
                                                      uint32_t position);
    static std::unique_ptr<DialogElement> makeSidebar(uint32_t id, int32_t width, int32_t height,
                                                      std::string title);
    static std::unique_ptr<DialogElement> makeDialog(uint32_t id, bool modeless, int32_t width,
                                                     int32_t height, std::string title,
                                                     bool hasOkClose, bool hasCancel, bool hasApply,
                                                     bool hasHelp);
    // Controls with one callback: text field, texts, label, push button,
    // option menu, lists and toggle.
    static std::unique_ptr<DialogElement> makeControl(ElementType type, uint32_t number,
                                                      ElementRect rect, std::string name,
                                                      std::string toolTip, std::string text,
                                                      std::string callback);
    static std::unique_ptr<DialogElement>
    makeSpin(uint32_t number, ElementRect rect, std::string name, std::string toolTip,
             std::string text, std::string valueChangedCallback, std::string buttonUpCallback,
             std::string buttonDownCallback);
    static std::unique_ptr<DialogElement> makeScale(uint32_t number, ElementRect rect,
                                                    std::string name, std::string toolTip,
                                                    std::string text, std::string callback,
                                                    std::string dragCallback);
    static std::unique_ptr<DialogElement> makeRadioBox(uint32_t number, ElementRect rect,
                                                       std::string name, std::string toolTip,
                                                       std::string text, std::string callback,
                                                       std::vector<std::string> items);
    static std::unique_ptr<DialogElement>
    makeColoredPushButton(uint32_t number, ElementRect rect, std::string name, std::string toolTip,
                          std::string text, std::string callback, uint32_t colorIndex);
    struct ImageData {
        std::string file;
        uint32_t width = 0, height = 0;
        bool hasTransparentColor = false;
        uint32_t red = 0, green = 0, blue = 0;
    };
    // Bitmap button (toggle false) or bitmap toggle (toggle true).
    static std::unique_ptr<DialogElement> makeBitmapButton(bool toggle, uint32_t number,
                                                           ElementRect rect, std::string name,
                                                           std::string toolTip, std::string text,
                                                           std::string callback, ImageData image);

    // Sorts the children so that group frames come first (the order of the
    // others kept) and narrows toggles that run into a bitmap button beside
    // them. Repeating it changes nothing.
    void orderChildren();
    // Every element below this one, depth first, each before its own
    // children; built on first use (after the tree is complete).
    const std::vector<DialogElement *> &descendants();
    // True when some descendant has this type.
    bool holds(ElementType wanted);

    // ---- fields
    const ElementType type;
    uint32_t number = 0;
    std::string name;
    uint64_t frameId = 0;
    uint32_t group = 0;
    uint32_t pageId = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    std::string toolTip;
    std::string text;
    std::string imageFile;
    uint32_t imageWidth = 0, imageHeight = 0;
    uint8_t hasTransparentColor = 0;
    uint32_t transparentRed = 0, transparentGreen = 0, transparentBlue = 0;
    uint32_t colorIndex = 0;
    uint32_t pagePosition = 0;
    std::vector<std::string> items;
    uint8_t hasOkClose = 0, hasCancel = 0, hasApply = 0, hasHelp = 0;
    std::string className;
    std::string callback;
    // The callbacks only a few kinds have: the init and buttons of a dialog,
    // the init and activation pair of a sidebar, the activation pair of a
    // tab control, the buttons of a spin and the drag of a scale. Most
    // elements have none and carry no room for them (empty strings then).
    struct MoreCallbacks {
        std::string init, okClose, cancel, apply, help, activation, deactivation, buttonUp,
            buttonDown, drag;
    };
    const MoreCallbacks &moreCallbacks() const;
    std::vector<DialogElement *> children; // not owned

  private:
    explicit DialogElement(ElementType type);
    void setRect(ElementRect rect);

    // Made by the first callback set.
    MoreCallbacks &ownCallbacks();

    std::unique_ptr<MoreCallbacks> moreCallbacks_;
    std::vector<DialogElement *> descendants_;
    bool descendantsBuilt_ = false;
};

} // namespace quorvin::qorutilmisc
