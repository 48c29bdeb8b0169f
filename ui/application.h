#pragma once
// What the program sets on its application object before it creates the window: Qt's
// German texts, the hint timings and the application title.
namespace navforge {

void PrepareApplication();

}  // namespace navforge
