#pragma once

// The forms are laid out for a narrow 8-point font; wider desktop fonts cut
// their labels. Both programs set it for the whole application at start.
void useFormFont();
