"""A small pixel canvas that writes XPM text, shared by the icon generators in this folder."""


class XpmCanvas:
    def __init__(self, size, palette, clear="."):
        self.size = size
        self.palette = palette
        self.rows = [[clear] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.rows[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c, width=1):
        for i in range(width):
            self.fill(x0 + i, y0 + i, x1 - i, y0 + i, c)
            self.fill(x0 + i, y1 - i, x1 - i, y1 - i, c)
            self.fill(x0 + i, y0 + i, x0 + i, y1 - i, c)
            self.fill(x1 - i, y0 + i, x1 - i, y1 - i, c)

    def xpm(self, name):
        used = sorted({c for row in self.rows for c in row})
        lines = ["/* XPM */", "static const char *%s[] = {" % name,
                 '"%d %d %d 1",' % (self.size, self.size, len(used))]
        lines += ['"%s c %s",' % (c, self.palette[c]) for c in used]
        lines += ['"%s",' % "".join(row) for row in self.rows]
        lines[-1] = lines[-1].rstrip(",")
        lines.append("};")
        return "\n".join(lines) + "\n"
