// The program-wide handler for errors no one else caught: reported, and the program goes on.
#pragma once

#include <exception>
#include <functional>

// ShowError with the error's class name as the place and "UH " + its message.
void AppException(const std::exception& error);

// Runs a handler; whatever it raises goes to AppException. Window procedures call their
// handlers through this, since exceptions must not cross the system's frames.
void GuardHandler(const std::function<void()>& handler);
