#pragma once

// Resource ids of the desk clock's settings part.
