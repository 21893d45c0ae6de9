// Your callbacks: the functions the generated dialog classes call. Fill them
// in. A build keeps what is here and appends a stub for each new control's
// callback (qgb callbacks merge).
#include "QorGUICallbackUtil.h"

#include <iostream>

// The Greeting dialog comes up.
void Dialog1Init_CB() {
    std::cout << "Greeting is up" << std::endl;
}

// OK, Cancel and Help of the Greeting dialog.
void Dialog1OkButton_CB() {
    std::cout << "OK pressed" << std::endl;
}

void Dialog1CancelButton_CB() {
    std::cout << "Cancel pressed" << std::endl;
}

void Dialog1HelpButton_CB() {
    std::cout << "Help pressed" << std::endl;
}

// The name field changed; 1 accepts the text.
GUIInt_t Name_TF_D1_CB(const char *text) {
    std::cout << "Hello, " << text << "!" << std::endl;
    return 1;
}
