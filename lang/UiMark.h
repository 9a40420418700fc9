#pragma once

// Marks an English text shown through ui(), for lupdate, which knows this
// macro as QT_TRANSLATE_NOOP (see app/CMakeLists.txt, target kx9_lupdate).
// The context is written out because lupdate cannot tell it from a
// namespace-scope constant; it must be "kx9", the context ui() looks in.
#define KX9_UI(context, english) english
