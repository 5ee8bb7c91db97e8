#pragma once

// Placeholder: filled in by the widget work.
