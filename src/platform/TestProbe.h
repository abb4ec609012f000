#pragma once
// A window into the running program for the walks that drive it from outside
// on a virtual X screen: with the environment variable VORN_PROBE set, each
// line on standard input asks where a control is and what it shows, and the
// answer is one line on standard output. Input itself still comes through
// the X server as a person's mouse and keyboard; the one exception is text
// committed by an input method, which the probe hands to the focused control
// the way an input method does (no input method server runs on the virtual
// screen). Without VORN_PROBE nothing listens.
//
//   ping                         -> pong
//   windows                      -> the titles of the shown windows, tab-separated
//   modal                        -> the title of the modal window in front, if any
//   find <title> <name>          -> ok x y w h enabled text   (or none)
//   items <title> <name>         -> the rows of a list or selector, tab-separated
//   row <title> <name> <i>       -> ok x y w h text of row i of a list, an open
//                                   selector's list or a grid's data row (col = i2)
//   commit <text>                -> ok: the text committed into the focused control
// Fields are separated by tabs; a window is found by its exact title ("?":
// the modal window in front), a
// control by its object name, its caption without access key, or its tool tip.
#include <functional>

// Starts listening when VORN_PROBE is set. nameControls runs before each
// question, so that windows made since the last one have their names.
void StartTestProbe(std::function<void()> nameControls);
