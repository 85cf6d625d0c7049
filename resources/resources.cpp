// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures live in the "images" resource of this library; this file only gives the static
// library an object of its own, which some linkers need for an otherwise empty archive.
namespace VelmoraResources {
int anchor = 0;
}
