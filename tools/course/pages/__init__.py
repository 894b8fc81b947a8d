"""One module per page; each has build() returning a notation.Page."""
