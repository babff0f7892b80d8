#pragma once

// Shows the splash for one second, modally, before anything else is loaded.
void ShowSplash();
