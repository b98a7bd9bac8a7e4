#pragma once

// Resource ids of the desk clock's about part.
