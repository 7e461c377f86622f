// The Paint Program's page: opening a picture (a file chooser, or a file
// dropped on the canvas), saving it (Ctrl+S or the Download button, which
// download the PNG), and the title, which is the program's caption. The
// program takes the requests between passes (paint/detail/page_web.cpp).
(function () {
  var bar = document.getElementById('bar');
  var canvas = document.getElementById('canvas');

  function ask(request) { Module['easelPaintRequest'] = request; }

  // Says on the page's bar what went wrong, and on the console.
  function tell(text) {
    document.getElementById('status').textContent = text;
    console.warn(text);
  }

  // Hands a picture file to the program through its file system. The
  // browser reads the file only now, and it may have gone meanwhile.
  function openPicture(file) {
    if (!file) return;
    file.arrayBuffer().then(function (bytes) {
      FS.mkdirTree('/pictures');
      var path = '/pictures/' + file.name.replace(/\//g, '_');
      FS.writeFile(path, new Uint8Array(bytes));
      ask({open: path});
    }, function (error) {
      tell('paint: cannot read ' + file.name + ': ' + error.message);
    });
  }

  Module['easelPaintDownload'] = function (path) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([FS.readFile(path)], {type: 'image/png'}));
    link.download = path.split('/').pop();
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  };

  var chooser = document.createElement('input');
  chooser.type = 'file';
  chooser.accept = 'image/png,image/jpeg,image/gif,image/bmp';
  chooser.hidden = true;
  chooser.id = 'open-file';
  chooser.addEventListener('change', function () { openPicture(chooser.files[0]); chooser.value = ''; });

  function button(label, id, action) {
    var b = document.createElement('button');
    b.textContent = label;
    b.id = id;
    b.addEventListener('click', function () { action(); canvas.focus(); });
    bar.insertBefore(b, bar.firstChild);
    return b;
  }
  button('Download PNG', 'download', function () { ask({save: true}); });
  button('Open picture…', 'open', function () { chooser.click(); });
  bar.appendChild(chooser);

  canvas.addEventListener('dragover', function (event) { event.preventDefault(); });
  canvas.addEventListener('drop', function (event) {
    event.preventDefault();
    openPicture(event.dataTransfer.files[0]);
  });
  // Ctrl+S saves the picture, not the page.
  document.addEventListener('keydown', function (event) {
    if ((event.ctrlKey || event.metaKey) && !event.shiftKey && (event.key === 's' || event.key === 'S')) {
      event.preventDefault();
      event.stopImmediatePropagation();
      ask({save: true});
    }
  }, true);
})();
