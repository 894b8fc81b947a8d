#include "export/core/SiteHtml.h"

namespace site_html {
namespace {

// Every page works without this script; it only adds ways to turn pages,
// the full-size paper and the memory of what was read.
constexpr char Script[] = R"js("use strict";
(function () {
  function follow(rel) {
    var link = document.querySelector("a[rel=" + rel + "]");
    if (link) window.location.href = link.href;
    return !!link;
  }

  // The arrow keys turn the pages, as the page buttons do.
  document.addEventListener("keydown", function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
      return;
    var target = event.target;
    if (target && (target.tagName === "AUDIO" || target.tagName === "INPUT"))
      return;
    var rel = event.key === "ArrowLeft" ? "prev"
            : event.key === "ArrowRight" ? "next" : null;
    if (rel && follow(rel)) event.preventDefault();
  });

  // A swipe to the left turns to the next page, to the right to the
  // previous one; not one that scrolls the paper shown at full size.
  var start = null;
  document.addEventListener("touchstart", function (event) {
    var touch = event.touches[0];
    var inPaper = event.target.closest && event.target.closest(".paper.full");
    start = event.touches.length === 1 && !inPaper
        ? { x: touch.clientX, y: touch.clientY } : null;
  }, { passive: true });
  document.addEventListener("touchend", function (event) {
    if (!start || event.changedTouches.length !== 1) return;
    var touch = event.changedTouches[0];
    var dx = touch.clientX - start.x, dy = touch.clientY - start.y;
    start = null;
    if (Math.abs(dx) < 60 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    follow(dx < 0 ? "next" : "prev");
  });

  // A tap on paper scaled down to the screen shows it at full size, and
  // another scales it down again.
  var paper = document.querySelector(".paper");
  if (paper) {
    var svg = paper.querySelector("svg");
    var mark = function () {
      var full = svg.width.baseVal.value;
      paper.classList.toggle("scaled",
          !paper.classList.contains("full") &&
          svg.getBoundingClientRect().width < full - 0.5);
    };
    paper.addEventListener("click", function () {
      if (!paper.classList.contains("scaled") &&
          !paper.classList.contains("full")) return;
      paper.classList.toggle("full");
      mark();
    });
    window.addEventListener("resize", mark);
    mark();
  }

  // What was read is kept in the browser, per site folder: the pages
  // visited are marked in the index, which offers the last one read.
  var folder = location.pathname.replace(/[^\/]*$/, "");
  var key = "varnel:" + folder;
  var here = location.pathname.slice(folder.length);
  var read;
  try {
    read = JSON.parse(localStorage.getItem(key)) || {};
  } catch (e) {
    return;  // no storage here: nothing is remembered
  }
  var visited = Array.isArray(read.visited) ? read.visited : [];
  if (document.body.classList.contains("page")) {
    if (visited.indexOf(here) < 0) visited.push(here);
    try {
      localStorage.setItem(key, JSON.stringify({ visited: visited, last: here }));
    } catch (e) {}
    return;
  }
  var links = document.querySelectorAll("ol.entries a");
  var resume = document.querySelector(".resume");
  for (var i = 0; i < links.length; ++i) {
    var href = links[i].getAttribute("href");
    if (visited.indexOf(href) >= 0) links[i].parentNode.classList.add("visited");
    if (resume && href === read.last) {
      var to = resume.querySelector("a");
      to.setAttribute("href", href);
      to.textContent = "続きから：" + links[i].textContent;
      resume.hidden = false;
    }
  }
})();
)js";

}  // namespace

QString keyScript() { return QString::fromUtf8(Script); }

}  // namespace site_html
