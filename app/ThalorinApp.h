#pragma once
// The program's application: launch settings and the order of work in setup,
// update and draw.

#include "framework/app/AppBasic.h"

class ThalorinApp : public reef::app::AppBasic {
public:
    void prepareSettings(Settings* settings) override;
    void setup() override;
    void update() override;
    void draw() override;
    void keyDown(reef::app::KeyEvent event) override;
};
