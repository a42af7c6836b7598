// The keys the browser's tables answer themselves, as the old platform's characters name them.
#pragma once

class QKeyEvent;

namespace tablekeys {

enum class Key {
    // Any key the table's standard handling takes.
    Other,
    // "\r": Return and Enter.
    Return,
    // The Delete character (U+007F): the Backspace key of a PC keyboard.
    Delete,
    // The forward delete function key (U+F728): the Delete key of a PC keyboard.
    ForwardDelete,
};

// The key pressed; a key with Control, Alt or Meta held is another key.
Key keyOf(const QKeyEvent &event);

} // namespace tablekeys
