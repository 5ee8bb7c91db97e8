// Placeholder: filled in by the widget work.
