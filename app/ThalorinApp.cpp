#include "app/ThalorinApp.h"

#include <epoxy/gl.h>

using reef::app::KeyEvent;

void ThalorinApp::prepareSettings(Settings* settings) {
    settings->setWindowSize(875, 700);
    settings->setFrameRate(60.0f);
    settings->setBorderless(true);
}

void ThalorinApp::setup() {}

void ThalorinApp::update() {}

void ThalorinApp::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ThalorinApp::keyDown(KeyEvent event) {
    if (event.getCode() == KeyEvent::KEY_ESCAPE) {
        quit();
    }
}
