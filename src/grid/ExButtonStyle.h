#pragma once
// The kind of a bar button, shared by the grid's search bar and the
// dropdowns' header and footer bars: a plain button or one that stays down.
enum TExGridButtonStyle { tasButton, tasCheck };
